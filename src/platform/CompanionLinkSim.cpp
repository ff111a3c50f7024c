#include "platform/CompanionLinkSim.h"

#include "sim/SimSystem.h"

namespace platform {

namespace {

class SimLink : public CompanionLink {
public:
  bool post(const std::string& windowName, const CompanionMessage& m) override {
    return sim::System().post(windowName, m.message, m.first, m.second);
  }
};

}  // namespace

CompanionLink& SimCompanionLink() {
  // Never destroyed: the simulated machine outlives every destructor run at exit.
  static SimLink& link = *new SimLink;
  return link;
}

}  // namespace platform
