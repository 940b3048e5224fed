#include "gamma/gamma_controller.h"

#include <gtest/gtest.h>

#include "fake_gamma_port.h"

namespace {

// Every attached display gets the ramp; a detached one is never opened, and a
// failing one does not stop the others. A refusal is reported at once, never waited on.
TEST(GammaController, SetsEveryAttachedDisplay) {
  const struct {
    const char* what;
    FakeGammaPort::Display failing;
    int expected, setCalls;
  } cases[] = {
      {"refuses", {u"A", true, true}, 0, 2},
      {"no device context", {u"A", true, false, true}, 0, 1},
      {"works", {u"A", true}, 1, 2},
  };
  for (const auto& c : cases) {
    FakeGammaPort platform;
    platform.displays = {c.failing, {u"Detached", false}, {u"B", true}};
    GammaController controller(platform);
    EXPECT_EQ(controller.ApplyToAllDisplays(256, 128, 0), c.expected) << c.what;
    EXPECT_EQ(platform.setCalls, c.setCalls) << c.what;
    EXPECT_EQ(platform.loaded[u"B"], BuildRamp(256, 128, 0)) << c.what;
    EXPECT_EQ(platform.opened.count(u"Detached"), 0u) << c.what << ": a detached adapter must not be opened";
    EXPECT_EQ(platform.loaded.count(u"A"), c.expected == 1 ? 1u : 0u) << c.what;
    EXPECT_EQ(platform.openDCs, 0) << c.what << ": every device context must be deleted";
  }

  FakeGammaPort none;
  GammaController controller(none);
  EXPECT_EQ(controller.ApplyToAllDisplays(0, 0, 0), 1) << "no display device at all is no failure";
}

// A display that reports success but keeps another ramp is noticed; 8-bit differences are not.
TEST(GammaController, NoticesADisplayThatKeepsADifferentRamp) {
  using D = FakeGammaPort::Display;
  const struct {
    const char* what;
    D second;
    bool ignored;
  } cases[] = {
      {"keeps the identity ramp", {u"B", true, false, false, D::KeepsIdentity}, true},
      {"differs below 8 bits", {u"B", true, false, false, D::LowBitsOnly}, false},
      {"cannot be read back", {u"B", true, false, false, D::Unreadable}, false},
      {"refuses the ramp: a failure, not an ignored ramp", {u"B", true, true, false, D::KeepsIdentity}, false},
  };
  for (const auto& c : cases) {
    FakeGammaPort platform;
    platform.displays = {{u"A", true}, c.second};
    GammaController controller(platform);
    controller.ApplyToAllDisplays(0, 0, 0);
    EXPECT_FALSE(controller.RampIgnored()) << c.what << ": only a read-back apply looks";
    controller.ApplyToAllDisplays(0, 0, 0, true);
    EXPECT_EQ(controller.RampIgnored(), c.ignored) << c.what;
    platform.displays[1].readback = D::Exact;
    controller.ApplyToAllDisplays(0, 0, 0, true);
    EXPECT_FALSE(controller.RampIgnored()) << c.what << ": each apply decides anew";
  }
}

}  // namespace
