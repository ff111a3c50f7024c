// The station lineup: the built-in one, the station file parser and its loading at reset.
#include <gtest/gtest.h>

#include <cstdlib>

#include "sim/Bt848Card.h"
#include "sim/Stations.h"
#include "support/TempProgramFolder.h"

TEST(Stations, BuiltInLineupCoversEveryBandWithSeparateWindows) {
  const auto& lineup = sim::BuiltInStations();
  auto count = [&](double lo, double hi, sim::Station::Kind kind) {
    int n = 0;
    for (const auto& s : lineup) n += s.kind == kind && s.lowMHz >= lo && s.highMHz <= hi;
    return n;
  };
  EXPECT_GE(count(40, 140, sim::Station::Kind::TV), 2);   // VHF-low
  EXPECT_GE(count(140, 470, sim::Station::Kind::TV), 2);  // VHF-high
  EXPECT_GE(count(470, 870, sim::Station::Kind::TV), 2);  // UHF
  EXPECT_GE(count(100, 110, sim::Station::Kind::FM), 2);  // FM window
  for (size_t i = 0; i < lineup.size(); ++i) {
    EXPECT_LT(lineup[i].lowMHz, lineup[i].highMHz) << lineup[i].name;
    for (size_t j = i + 1; j < lineup.size(); ++j)
      EXPECT_TRUE(lineup[i].highMHz < lineup[j].lowMHz || lineup[j].highMHz < lineup[i].lowMHz)
          << lineup[i].name << " overlaps " << lineup[j].name;
  }
}

TEST(Stations, ParsesKindsWindowsFlagsAndNamesWithSpaces) {
  const char* text =
      "# kind low high standard afc locks name\r\n"
      "\r\n"
      "tv 191.00 191.50 6 4 1 Evening News  \r\n"
      "  FM\t104.9  105.1 9 3 0 Radio\n"
      "TV 479 479.5 3 4 0\n";
  std::vector<sim::Station> out;
  std::string error;
  ASSERT_TRUE(sim::ParseStations(text, out, &error)) << error;
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[0].kind, sim::Station::Kind::TV);
  EXPECT_DOUBLE_EQ(out[0].lowMHz, 191.0);
  EXPECT_EQ(out[0].standard, 6);
  EXPECT_EQ(out[0].name, "Evening News");
  EXPECT_EQ(out[1].kind, sim::Station::Kind::FM);
  EXPECT_DOUBLE_EQ(out[1].highMHz, 105.1);
  EXPECT_EQ(out[1].afc, 3);
  EXPECT_FALSE(out[1].locks);
  EXPECT_EQ(out[2].name, "");
  EXPECT_FALSE(out[2].locks);

  EXPECT_TRUE(sim::ParseStations("# nothing on the air\n", out));
  EXPECT_TRUE(out.empty());
}

TEST(Stations, BadLinesAreRejectedByNumberAndLeaveTheLineupAlone) {
  const char* bad[] = {
      "AM 100 101 3 4 1",        // kind
      "TV 101 100 3 4 1",        // window reversed
      "TV -1 100 3 4 1",         // negative
      "TV 100 5000 3 4 1",       // beyond any band
      "TV 100 nan 3 4 1",        // not finite
      "TV 100,5 101 3 4 1",      // decimal comma
      "TV 100 101 10 4 1",       // standard
      "TV 100 101 3 8 1",        // AFC code
      "TV 100 101 3 4 2",        // locks flag
      "TV 100 101 3 4",          // missing field
      "TV 100 101 3x 4 1",       // trailing garbage
  };
  for (const char* line : bad) {
    SCOPED_TRACE(line);
    std::vector<sim::Station> out = {sim::Station{}};
    std::string error;
    EXPECT_FALSE(sim::ParseStations(std::string("FM 101 102 9 4 0 ok\n") + line, out, &error));
    EXPECT_EQ(error, "bad station line 2");
    EXPECT_EQ(out.size(), 1u);
  }
}

TEST(Stations, ResetLoadsTheFileNamedByTheEnvironmentOrFallsBack) {
  testing_support::TempProgramFolder folder;
  folder.write("stations.txt", "TV 60.00 60.50 3 4 1 Only One\n");
  setenv("VYX_SIM_STATIONS", folder.file("stations.txt").c_str(), 1);
  sim::Card().reset();
  ASSERT_EQ(sim::Card().stations().size(), 1u);
  EXPECT_EQ(sim::Card().stations()[0].name, "Only One");

  folder.write("stations.txt", "TV broken\n");
  sim::Card().reset();
  EXPECT_EQ(sim::Card().stations().size(), sim::BuiltInStations().size());
  setenv("VYX_SIM_STATIONS", folder.file("missing.txt").c_str(), 1);
  sim::Card().reset();
  EXPECT_EQ(sim::Card().stations().size(), sim::BuiltInStations().size());
  unsetenv("VYX_SIM_STATIONS");
  sim::Card().reset();
}
