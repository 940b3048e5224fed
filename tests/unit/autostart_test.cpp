#include "settings/autostart.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "test_text.h"

namespace {

// The Run key as raw value data, with a count of opens and closes.
class FakeRegistry : public autostart::RunRegistryPort {
 public:
  class Key : public autostart::RunKeyPort {
   public:
    explicit Key(FakeRegistry& registry) : registry_(registry) {}
    ~Key() override { ++registry_.closes; }
    bool SetString(const std::u16string& name, const std::u16string& data) override {
      ++registry_.sets;
      registry_.values[name] = Utf16Le(data);
      return true;
    }
    bool DeleteValue(const std::u16string& name) override { return registry_.values.erase(name) == 1; }
    bool QueryValue(const std::u16string& name, size_t maxBytes, std::string* data) override {
      auto value = registry_.values.find(name);
      if (value == registry_.values.end() || value->second.size() > maxBytes) return false;
      *data = value->second;
      return true;
    }

   private:
    FakeRegistry& registry_;
  };

  std::unique_ptr<autostart::RunKeyPort> OpenRunKey() override {
    ++opens;
    return std::make_unique<Key>(*this);
  }

  std::map<std::u16string, std::string> values;
  int opens = 0, closes = 0, sets = 0;
};

const std::u16string kExe = u"C:\\Tools\\Glowmere.exe";
const std::u16string kData = u"\"C:\\Tools\\Glowmere.exe\" -bg";

TEST(AutostartTest, LongPathsGiveTheWholeValue) {
  // The longest path Windows has: nothing may be cut, and the value still reads as set.
  std::u16string exe = u"\\\\?\\C:\\" + std::u16string(32767 - 20, u'd') + u"\\Glowmere.exe";
  exe.resize(32767, u'e');
  FakeRegistry registry;
  ASSERT_TRUE(autostart::AddAutostart(registry, u"Glowmere", exe));
  EXPECT_EQ(autostart::StoredText(registry.values[u"Glowmere"]), u"\"" + exe + u"\" -bg");
  EXPECT_TRUE(autostart::IsAutostartSet(registry, u"Glowmere", exe));
  EXPECT_EQ(registry.sets, 1) << "our own long value is not rewritten";
}

TEST(AutostartTest, IsAutostartSetReportsAndRepairs) {
  const std::string exact = Utf16Le(kData);
  // pathKnown: the running executable's path could be found.
  const struct {
    const char* what;
    bool present;
    std::string stored;
    bool expected, rewritten, pathKnown = true;
  } cases[] = {
      {"no value", false, "", false, false},
      {"exact data", true, exact, true, false},
      {"exact data and an odd zero byte", true, exact + std::string(1, '\0'), true, false},
      {"old location", true, Utf16Le(u"\"D:\\Old\\Glowmere.exe\" -bg"), true, true},
      {"1,024 bytes", true, Utf16Le(std::u16string(512, u'x')), true, true},
      {"1,026 bytes counts as missing", true, Utf16Le(std::u16string(513, u'x')), false, false},
      {"own path unknown: set, repairs nothing", true, Utf16Le(u"\"D:\\Old\\Glowmere.exe\" -bg"), true, false, false},
  };
  for (const auto& c : cases) {
    FakeRegistry registry;
    if (c.present) registry.values[u"Glowmere"] = c.stored;
    EXPECT_EQ(autostart::IsAutostartSet(registry, u"Glowmere", c.pathKnown ? kExe : u""), c.expected) << c.what;
    EXPECT_EQ(registry.sets, c.rewritten ? 1 : 0) << c.what;
    if (c.rewritten) EXPECT_EQ(registry.values[u"Glowmere"], exact) << c.what;
    if (c.present && !c.rewritten) EXPECT_EQ(registry.values[u"Glowmere"], c.stored) << c.what << ": left as it was";
    if (!c.present) EXPECT_TRUE(registry.values.empty()) << c.what << ": nothing written";
    EXPECT_EQ(registry.opens, registry.closes) << c.what;
  }
}

}  // namespace
