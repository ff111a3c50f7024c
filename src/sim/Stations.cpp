#include "sim/Stations.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>

namespace sim {

namespace {

constexpr double kMaxMHz = 2000.0;  // far above any band of the tuner
constexpr size_t kMaxName = 255;

std::string_view trim(std::string_view s) {
  const char* ws = " \t\r\n";
  size_t b = s.find_first_not_of(ws);
  if (b == std::string_view::npos) return {};
  size_t e = s.find_last_not_of(ws);
  return s.substr(b, e - b + 1);
}

// Splits off the next whitespace-separated field of `rest`.
std::string_view nextField(std::string_view& rest) {
  rest = trim(rest);
  size_t end = rest.find_first_of(" \t");
  std::string_view field = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end);
  return field;
}

bool parseDouble(std::string_view s, double& v) {
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  return ec == std::errc{} && p == s.data() + s.size() && std::isfinite(v);
}

bool parseInt(std::string_view s, int lo, int hi, int& v) {
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  return ec == std::errc{} && p == s.data() + s.size() && v >= lo && v <= hi;
}

bool parseKind(std::string_view s, Station::Kind& kind) {
  if (s.size() != 2) return false;
  char a = static_cast<char>(s[0] & ~0x20), b = static_cast<char>(s[1] & ~0x20);
  if (a == 'T' && b == 'V') kind = Station::Kind::TV;
  else if (a == 'F' && b == 'M') kind = Station::Kind::FM;
  else return false;
  return true;
}

// One line: kind low high standard afc locks [name...]
bool parseLine(std::string_view line, Station& st) {
  std::string_view rest = line;
  int locks = 0;
  if (!parseKind(nextField(rest), st.kind)) return false;
  if (!parseDouble(nextField(rest), st.lowMHz) || !parseDouble(nextField(rest), st.highMHz))
    return false;
  if (st.lowMHz < 0 || st.highMHz < st.lowMHz || st.highMHz > kMaxMHz) return false;
  if (!parseInt(nextField(rest), 0, 9, st.standard)) return false;
  if (!parseInt(nextField(rest), 0, 7, st.afc)) return false;
  if (!parseInt(nextField(rest), 0, 1, locks)) return false;
  st.locks = locks != 0;
  std::string_view name = trim(rest);
  st.name.assign(name.substr(0, kMaxName));
  return true;
}

}  // namespace

const std::vector<Station>& BuiltInStations() {
  using K = Station::Kind;
  // Picture carriers sit in the middle of their windows; the windows are wide enough for the
  // tuner's 62.5 kHz steps.
  static const std::vector<Station> lineup = {
      {49.50, 50.00, K::TV, 6, true, 4, "Sim One"},       // VHF-low
      {59.00, 59.50, K::TV, 3, true, 4, "Sim Two"},
      {77.00, 77.50, K::TV, 6, true, 4, "Sim Three"},
      {101.60, 101.80, K::FM, 9, false, 4, "Sim Radio A"},  // FM window
      {104.90, 105.10, K::FM, 9, false, 4, "Sim Radio B"},
      {107.30, 107.50, K::FM, 9, false, 4, "Sim Radio C"},
      {175.00, 175.50, K::TV, 3, true, 4, "Sim Four"},     // VHF-high
      {191.00, 191.50, K::TV, 6, true, 4, "Sim Five"},
      {479.00, 479.50, K::TV, 3, true, 4, "Sim Six"},      // UHF
      {615.00, 615.50, K::TV, 1, true, 4, "Sim Seven"},
      {743.00, 743.50, K::TV, 6, true, 4, "Sim Eight"},
  };
  return lineup;
}

bool ParseStations(std::string_view text, std::vector<Station>& out, std::string* error) {
  std::vector<Station> parsed;
  int number = 0;
  while (!text.empty()) {
    size_t eol = text.find('\n');
    std::string_view line = trim(text.substr(0, eol));
    text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
    ++number;
    if (line.empty() || line.front() == '#') continue;
    Station st;
    if (!parseLine(line, st)) {
      if (error) *error = "bad station line " + std::to_string(number);
      return false;
    }
    parsed.push_back(std::move(st));
  }
  out = std::move(parsed);
  return true;
}

bool LoadStationsFile(const std::string& path, std::vector<Station>& out, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    if (error) *error = "cannot read " + path;
    return false;
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return ParseStations(bytes.str(), out, error);
}

}  // namespace sim
