#include "core/SystemUtils.h"

#include <cstring>
#include <string>

#include "platform/DisplayPower.h"

namespace {

constexpr const char* kAppKey = "Software\\Dorvak";
// The path was built in a 260-byte buffer: a longer one names no key rather than a cut one.
constexpr size_t kMaxPath = 259;

// The key's path, or an empty string when it would not fit.
std::string appKeyPath(const char* subKey) {
  std::string path = kAppKey;
  if (subKey && *subKey) path += std::string("\\") + subKey;
  return path.size() <= kMaxPath ? path : std::string();
}

}  // namespace

bool IsWinNT() { return true; }
bool IsWinNT4() { return false; }
bool IsWin95() { return false; }

AppRegKey OpenAppRegKey(const char* subKey) {
  std::string path = appKeyPath(subKey);
  return path.empty() ? nullptr : platform::RegistryBackend::current().openKey(path);
}

AppRegKey CreateAppRegKey(const char* subKey) {
  std::string path = appKeyPath(subKey);
  return path.empty() ? nullptr : platform::RegistryBackend::current().createKey(path);
}

uint32_t ReadAppRegValue(const char* subKey, const char* name, void* buffer, uint32_t size) {
  AppRegKey key = OpenAppRegKey(subKey);
  if (!key) return 0;
  auto data = key->readValue(name ? name : "");
  if (!data || data->size() > UINT32_MAX) return 0;
  if (!buffer) return static_cast<uint32_t>(data->size());
  if (data->size() > size) return 0;
  if (!data->empty()) std::memcpy(buffer, data->data(), data->size());
  return static_cast<uint32_t>(data->size());
}

bool WriteAppRegValue(const char* subKey, const char* name, const void* data, uint32_t size) {
  if (!data && size != 0) return false;
  AppRegKey key = CreateAppRegKey(subKey);
  if (!key) return false;
  auto bytes = static_cast<const uint8_t*>(data);
  return key->writeValue(name ? name : "", std::span<const uint8_t>(bytes, bytes ? size : 0));
}

void MonitorPowerOff() { platform::DisplayPower::current().setMonitorPower(false); }

void MonitorPowerOn() { platform::DisplayPower::current().setMonitorPower(true); }
