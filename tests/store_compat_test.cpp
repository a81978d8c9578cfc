// Stored records across programs and builds: the "High" text this program
// writes, and one written by any other program that keeps the same
// constants, through the registry's view of a value (raw bytes and a type,
// read back by the rules the Windows store applies to what the registry
// hands it).
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "GameFixture.h"
#include "game/Settings.h"
#include "platform/StoreNames.h"
#include "platform/win32/RegistryText.h"

namespace {

// Computed by hand from the stored format, not by the program: positions p
// count from 1; b := b xor 0x9E, then b := (b + Key[p mod 8]) mod 256 with
// Key = 37, 142, 9, 201, 88, 160, 23, 115; two uppercase digits a byte.
// A zero byte at p = 1 gives 0x9E + 142 = 300 - 256 = 0x2C, at p = 8
// 0x9E + 37 = 0xC3, so the empty table repeats "2CA767F63EB511C3".
constexpr const char* EmptyTableText =
    "2CA767F63EB511C32CA767F63EB511C32CA767F63EB511C32CA767F63EB511C32CA767F6";
// Two records: 4 holes, 8 colours, no repeats (bytes 6..8) in 7 rows and
// 300 seconds (07 2C 01), and 5 holes, 10 colours, repeats (bytes 33..35)
// in 12 rows and 999 seconds (0C E7 03).
constexpr const char* TwoRecordsText =
    "2CA767F63EB50CD72DA767F63EB511C32CA767F63EB511C32CA767F63EB511C32C9B42F5";

const THighScoreTable Empty{};

constexpr uint32_t RegBinary = 3, RegDword = 4, RegExpandSz = 2;

// What the registry holds: every value's type and bytes, as written.
struct RawValues {
    struct Value {
        uint32_t Type = RegistryText::TextType;
        std::vector<char> Data;
    };
    std::map<std::pair<std::string, std::string>, Value> Values;

    static std::pair<std::string, std::string> Key(const std::string& section, const std::string& name) {
        return {FoldCase(section), FoldCase(name)};
    }
    void Put(const std::string& name, uint32_t type, const std::string& bytes) {
        Values[Key(SectionGame, name)] = Value{type, std::vector<char>(bytes.begin(), bytes.end())};
    }
    const Value* Find(const std::string& name) const {
        auto it = Values.find(Key(SectionGame, name));
        return it == Values.end() ? nullptr : &it->second;
    }
};

// A store over the raw values that reads and writes the way the registry
// store does: text values only, written without a terminating zero.
class RawRegistryStore final : public Store {
public:
    explicit RawRegistryStore(std::shared_ptr<RawValues> raw) : raw_(std::move(raw)) {}
    std::optional<std::string> ReadText(const std::string& section, const std::string& name) override {
        auto it = raw_->Values.find(RawValues::Key(section, name));
        if (it == raw_->Values.end()) return std::nullopt;
        // The exact bytes, with nothing after them: a read past the data
        // shows up under the sanitizer build.
        const std::vector<char>& data = it->second.Data;
        return RegistryText::FromData(it->second.Type, data.empty() ? nullptr : data.data(), data.size());
    }
    bool Holds(const std::string& section, const std::string& name) override {
        return raw_->Values.count(RawValues::Key(section, name)) != 0;
    }
    bool WriteText(const std::string& section, const std::string& name, const std::string& value) override {
        if (!RegistryText::Storable(value)) return false;
        raw_->Values[RawValues::Key(section, name)] =
            RawValues::Value{RegistryText::TextType, std::vector<char>(value.begin(), value.end())};
        return true;
    }

private:
    std::shared_ptr<RawValues> raw_;
};

class StoreCompatTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        SetStoreOpener([r = raw] { return std::make_unique<RawRegistryStore>(r); });
    }
    void TearDown() override {
        SetStoreOpener(nullptr);
        GameTest::TearDown();
    }
    static void PutTwoRecords() {
        HighScoreTable.Entries[3] = HighScoreEntry{7, 300};
        HighScoreTable.Entries[12] = HighScoreEntry{12, 999};
    }
    static bool TableHoldsTwoRecords() {
        THighScoreTable expected{};
        expected.Entries[3] = HighScoreEntry{7, 300};
        expected.Entries[12] = HighScoreEntry{12, 999};
        return std::memcmp(&HighScoreTable, &expected, sizeof expected) == 0;
    }
    std::shared_ptr<RawValues> raw = std::make_shared<RawValues>();
};

}  // namespace

TEST_F(StoreCompatTest, RecordsWrittenHereAreTheKnownTextAndReadBackUnchanged) {
    PutTwoRecords();
    ASSERT_TRUE(SaveSettings());
    const RawValues::Value* high = raw->Find("High");
    ASSERT_NE(high, nullptr);
    EXPECT_EQ(high->Type, RegistryText::TextType);
    // 72 bytes, no terminating zero: the text's length is the byte count.
    EXPECT_EQ(std::string(high->Data.begin(), high->Data.end()), TwoRecordsText);

    HighScoreTable = THighScoreTable{};
    LoadSettings();
    EXPECT_TRUE(TableHoldsTwoRecords());

    // Cleared by the player (Reset): written cleared.
    HighScoreTable = THighScoreTable{};
    NoteAllRecordsCleared();
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(std::string(raw->Find("High")->Data.begin(), raw->Find("High")->Data.end()), EmptyTableText);
}

TEST_F(StoreCompatTest, RecordsWrittenElsewhereWithTheSameConstantsAreRead) {
    // Most programs count the terminating zero in the value's size.
    raw->Put("High", RegistryText::TextType, std::string(TwoRecordsText) + '\0');
    LoadSettings();
    EXPECT_TRUE(TableHoldsTwoRecords());

    raw->Put("High", RegistryText::TextType, TwoRecordsText);
    HighScoreTable = THighScoreTable{};
    LoadSettings();
    EXPECT_TRUE(TableHoldsTwoRecords());

    PutTwoRecords();
    raw->Put("High", RegistryText::TextType, EmptyTableText);
    LoadSettings();
    EXPECT_EQ(std::memcmp(&HighScoreTable, &Empty, sizeof Empty), 0);
}

TEST_F(StoreCompatTest, ALongRecordTextIsReadAndCutTo255AsTheIniFileIs) {
    // 2 KiB: the table up front, then anything.
    raw->Put("High", RegistryText::TextType, std::string(TwoRecordsText) + std::string(2048, 'F'));
    LoadSettings();
    EXPECT_TRUE(TableHoldsTwoRecords());
    // Read whole, so a save has nothing unreadable to leave alone and
    // writes the table as it stands.
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(std::string(raw->Find("High")->Data.begin(), raw->Find("High")->Data.end()), TwoRecordsText);
}

TEST_F(StoreCompatTest, ExpandableTextsAreTextsAndOtherTypesAreKeptUnread) {
    // Another program's number where a text belongs reads as no value; an
    // expandable text is a text, taken as it stands.
    raw->Put("Spaces", RegDword, std::string("\x05\0\0\0", 4));
    raw->Put("Colors", RegExpandSz, std::string("6\0", 2));
    raw->Put("High", RegBinary, TwoRecordsText);
    PutTwoRecords();
    LoadSettings();
    EXPECT_EQ(GameSettings.Spaces, 4);
    EXPECT_EQ(GameSettings.Colors, 6);
    EXPECT_EQ(std::memcmp(&HighScoreTable, &Empty, sizeof Empty), 0);
    // The records of another type are not the game's to overwrite with an
    // empty table: they stay until this run makes a record.
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(raw->Find("High")->Type, RegBinary);
    HighScoreTable.Entries[3] = HighScoreEntry{7, 300};
    ASSERT_TRUE(SaveRecords());
    EXPECT_EQ(raw->Find("High")->Type, RegistryText::TextType);
}

TEST_F(StoreCompatTest, RecordsInAnExpandableTextAreShownAndKept) {
    raw->Put("High", RegExpandSz, std::string(TwoRecordsText) + '\0');
    LoadSettings();
    EXPECT_TRUE(TableHoldsTwoRecords());
    ASSERT_TRUE(SaveSettings());
    // It already says what a save would write, so it is left as it stands;
    // a new record is written as plain text.
    EXPECT_EQ(std::string(raw->Find("High")->Data.begin(), raw->Find("High")->Data.end()),
              std::string(TwoRecordsText) + '\0');
    HighScoreTable.Entries[1] = HighScoreEntry{1, 1};
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(raw->Find("High")->Data.size(), 72u);
    EXPECT_EQ(HighScoreTable.Entries[3].RecordRows, 7);
    EXPECT_EQ(HighScoreTable.Entries[12].RecordRows, 12);
}

TEST(RegistryText, TextEndsAtTheFirstZeroOrTheDataAndNeverReadsFurther) {
    using RegistryText::FromData;
    using RegistryText::MaxBytes;
    using RegistryText::TextType;
    // Exactly sized buffers without a terminator.
    const std::vector<char> five{'5'};
    EXPECT_EQ(FromData(TextType, five.data(), five.size()), "5");
    const std::vector<char> cut{'5', '\0', 'x', 'y'};
    EXPECT_EQ(FromData(TextType, cut.data(), cut.size()), "5");
    EXPECT_EQ(FromData(TextType, nullptr, 0), "");
    EXPECT_EQ(FromData(TextType, nullptr, 3), std::nullopt);

    // Longer than anything written is still read: a long "High" keeps its
    // records up front.
    const std::vector<char> longer(4 * MaxBytes, 'A');
    EXPECT_EQ(FromData(TextType, longer.data(), longer.size()), std::string(4 * MaxBytes, 'A'));
    const std::vector<char> tooLong(RegistryText::MaxReadBytes + 1, 'A');
    EXPECT_EQ(FromData(TextType, tooLong.data(), tooLong.size()), std::nullopt);
    EXPECT_EQ(FromData(RegBinary, five.data(), five.size()), std::nullopt);

    // Only what reads back unchanged is written.
    EXPECT_TRUE(RegistryText::Storable(TwoRecordsText));
    EXPECT_TRUE(RegistryText::Storable(std::string(MaxBytes, 'A')));
    EXPECT_FALSE(RegistryText::Storable(std::string(MaxBytes + 1, 'A')));
    EXPECT_FALSE(RegistryText::Storable(std::string("5\0x", 3)));
}
