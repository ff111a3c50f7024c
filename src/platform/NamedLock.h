// Named locks, seen by every process of the user's session: the program's "running" lock and the
// remote-control companion's lock. Creating a lock tells whether the name already existed; the
// handle that found the name free holds it until it is destroyed (closing is destroying). A
// handle that found the name taken holds nothing: the name exists for as long as its holder
// lives, whatever other handles are open.
#pragma once

#include <memory>
#include <string>

namespace platform {

class NamedLock {
public:
  virtual ~NamedLock() = default;
  NamedLock(const NamedLock&) = delete;
  NamedLock& operator=(const NamedLock&) = delete;

  const std::string& name() const { return name_; }
  // True when another handle, in this process or another live one, held the name at creation.
  bool alreadyExisted() const { return alreadyExisted_; }

protected:
  NamedLock(std::string name, bool alreadyExisted)
      : name_(std::move(name)), alreadyExisted_(alreadyExisted) {}

private:
  std::string name_;
  bool alreadyExisted_;
};

class NamedLockBackend {
public:
  virtual ~NamedLockBackend() = default;
  // The handle, or null when no lock can be created under that name (an empty name, or the
  // system refused).
  virtual std::unique_ptr<NamedLock> create(const std::string& name) = 0;

  // The simulated session's locks under the simulation switch, else lock files.
  static NamedLockBackend& current();
};

}  // namespace platform
