// The demo's sample databases, as tools/make_sample_databases.py writes
// them: every header field, the entry lists against the data, what the
// contents claim to be, the names the installer gives them, and whether
// Debian's file(1) recognises them.
#include "driver/database_header.h"
#include "driver/destination_path.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

constexpr size_t kHeaderSize = 78;
constexpr size_t kRecordEntrySize = 8;
constexpr size_t kResourceEntrySize = 10;
constexpr uint16_t kResourceDatabase = 0x0001;
constexpr uint16_t kBackup = 0x0008;

struct Sample {
    const char* file;
    const char* name;
    uint16_t attributes;
    uint16_t version;
    bool hasAppInfo;
    const char* type;
    const char* creator;
    uint16_t entryCount;
    const char* installedName; // for a user folder "F"
};

const Sample kSamples[] = {
    {"VantrelDemoLib.prc", "Vantrel Demo Library", kResourceDatabase, 1, false, "libr", "VnDm", 2,
     "F\\Vantrel_Demo_Library.prc"},
    {"VantrelDemoNotes.pdb", "Vantrel Demo: Notes/2", kBackup, 0, false, "TEXt", "REAd", 2,
     "F\\Vantrel_Demo__Notes_2.pdb"},
    {"VantrelDemoSettings.pdb", "Vantrel Demo Settings", kBackup, 0, true, "DATA", "VnDm", 3,
     "F\\Vantrel_Demo_Settings.pdb"},
};

std::string PathOf(const Sample& sample)
{
    return std::string(SAMPLE_DATABASES_FOLDER) + "/" + sample.file;
}

Bytes ReadSample(const Sample& sample)
{
    std::ifstream in(PathOf(sample), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t BigEndian(const Bytes& bytes, size_t at, size_t width)
{
    uint32_t value = 0;
    for (size_t i = 0; i < width; ++i)
        value = (value << 8) | bytes.at(at + i);
    return value;
}

std::string Text(const Bytes& bytes, size_t at, size_t width)
{
    return std::string(bytes.begin() + static_cast<ptrdiff_t>(at), bytes.begin() + static_cast<ptrdiff_t>(at + width));
}

// Seconds from the handheld's epoch, 1904-01-01, to a UTC moment: worked
// out here by the calendar, apart from the generator's own arithmetic.
uint32_t PalmSeconds(std::chrono::year_month_day day, int hours, int minutes)
{
    using namespace std::chrono;
    auto since = sys_days(day) - sys_days(year(1904) / January / 1) + hours * 1h + minutes * 1min;
    return static_cast<uint32_t>(duration_cast<seconds>(since).count());
}

struct Entry {
    uint32_t offset;
    uint32_t key; // a record's unique id, or a resource's type and id folded
    uint32_t size;
};

// The entry list after the header, each entry's data running to the next
// entry's offset or to the end of the file.
std::vector<Entry> ReadEntries(const Bytes& bytes, bool resource, uint16_t count)
{
    std::vector<Entry> entries;
    size_t width = resource ? kResourceEntrySize : kRecordEntrySize;
    for (size_t i = 0; i < count; ++i) {
        size_t at = kHeaderSize + i * width;
        if (resource)
            entries.push_back({BigEndian(bytes, at + 6, 4), BigEndian(bytes, at, 4) ^ BigEndian(bytes, at + 4, 2), 0});
        else
            entries.push_back({BigEndian(bytes, at, 4), BigEndian(bytes, at + 5, 3), 0});
    }
    for (size_t i = 0; i < entries.size(); ++i)
        entries[i].size = (i + 1 < entries.size() ? entries[i + 1].offset : bytes.size()) - entries[i].offset;
    return entries;
}

TEST(SampleDatabases, HeadersHoldEveryFieldBigEndian)
{
    using namespace std::chrono;
    const uint32_t created = PalmSeconds(year(2024) / March / 1, 9, 0);
    const uint32_t modified = PalmSeconds(year(2024) / March / 2, 17, 30);
    for (const Sample& sample : kSamples) {
        SCOPED_TRACE(sample.file);
        Bytes bytes = ReadSample(sample);
        ASSERT_GT(bytes.size(), kHeaderSize);
        // The name is NUL-terminated within its 32 bytes and NUL-padded.
        std::string name = sample.name;
        EXPECT_EQ(Text(bytes, 0, name.size()), name);
        for (size_t i = name.size(); i < 32; ++i)
            EXPECT_EQ(bytes[i], 0) << "name byte " << i;
        EXPECT_EQ(BigEndian(bytes, 32, 2), sample.attributes);
        EXPECT_EQ(BigEndian(bytes, 34, 2), sample.version);
        EXPECT_EQ(BigEndian(bytes, 36, 4), created);
        EXPECT_EQ(BigEndian(bytes, 40, 4), modified);
        EXPECT_EQ(BigEndian(bytes, 44, 4), 0u) << "never backed up";
        EXPECT_EQ(BigEndian(bytes, 48, 4), 1u) << "modification number";
        EXPECT_EQ(BigEndian(bytes, 56, 4), 0u) << "sort-info offset";
        EXPECT_EQ(Text(bytes, 60, 4), sample.type);
        EXPECT_EQ(Text(bytes, 64, 4), sample.creator);
        EXPECT_EQ(BigEndian(bytes, 72, 4), 0u) << "next record list";
        EXPECT_EQ(BigEndian(bytes, 76, 2), sample.entryCount);
    }
}

TEST(SampleDatabases, EntryListsCoverTheDataExactly)
{
    for (const Sample& sample : kSamples) {
        SCOPED_TRACE(sample.file);
        Bytes bytes = ReadSample(sample);
        ASSERT_GT(bytes.size(), kHeaderSize);
        bool resource = (sample.attributes & kResourceDatabase) != 0;
        size_t listEnd = kHeaderSize + sample.entryCount * (resource ? kResourceEntrySize : kRecordEntrySize);
        ASSERT_GT(bytes.size(), listEnd + 2);
        EXPECT_EQ(BigEndian(bytes, listEnd, 2), 0u) << "placeholder after the list";

        // The app-info block, when there is one, lies between the list and
        // the first entry's data.
        uint32_t appInfo = BigEndian(bytes, 52, 4);
        std::vector<Entry> entries = ReadEntries(bytes, resource, sample.entryCount);
        ASSERT_FALSE(entries.empty());
        EXPECT_EQ(appInfo != 0, sample.hasAppInfo);
        if (sample.hasAppInfo) {
            EXPECT_EQ(appInfo, listEnd + 2);
            EXPECT_GT(entries[0].offset, appInfo);
        } else {
            EXPECT_EQ(entries[0].offset, listEnd + 2);
        }

        std::set<uint32_t> keys;
        for (const Entry& entry : entries) {
            EXPECT_LE(entry.offset, bytes.size());
            EXPECT_GT(entry.size, 0u) << "offsets ascend, each entry has data";
            EXPECT_TRUE(keys.insert(entry.key).second) << "unique ids and resource ids are unique";
        }
        uint32_t seed = BigEndian(bytes, 68, 4);
        if (resource) {
            EXPECT_EQ(seed, 0u);
        } else {
            // The seed is the next unique id to give: above every id given.
            EXPECT_GT(seed, *keys.rbegin());
            for (size_t i = 0; i < sample.entryCount; ++i)
                EXPECT_EQ(bytes[kHeaderSize + i * kRecordEntrySize + 4], 0x40) << "record attributes";
        }
    }
}

TEST(SampleDatabases, ContentsAreWhatTheirTypesClaim)
{
    // The library's version resource.
    Bytes library = ReadSample(kSamples[0]);
    std::vector<Entry> resources = ReadEntries(library, true, kSamples[0].entryCount);
    ASSERT_EQ(resources.size(), 2u);
    EXPECT_EQ(Text(library, kHeaderSize, 6), std::string("tver\0\1", 6));
    EXPECT_EQ(Text(library, resources[0].offset, resources[0].size), std::string("1.0\0", 4));

    // A Doc e-book: record 0 tells the text's length, its record count and
    // record size, and the text records hold exactly that much.
    Bytes notes = ReadSample(kSamples[1]);
    std::vector<Entry> records = ReadEntries(notes, false, kSamples[1].entryCount);
    ASSERT_GE(records.size(), 2u);
    size_t docHeader = records[0].offset;
    EXPECT_EQ(records[0].size, 16u);
    EXPECT_EQ(BigEndian(notes, docHeader, 2), 1u) << "uncompressed";
    EXPECT_EQ(BigEndian(notes, docHeader + 8, 2), records.size() - 1);
    EXPECT_EQ(BigEndian(notes, docHeader + 10, 2), 4096u);
    uint32_t textLength = 0;
    for (size_t i = 1; i < records.size(); ++i) {
        EXPECT_LE(records[i].size, 4096u);
        textLength += records[i].size;
    }
    EXPECT_EQ(BigEndian(notes, docHeader + 4, 4), textLength);
    EXPECT_EQ(Text(notes, records[1].offset, 18), "Vantrel demo notes");
}

TEST(SampleDatabases, InstallerNamesThemFromTheirHeaders)
{
    for (const Sample& sample : kSamples) {
        SCOPED_TRACE(sample.file);
        FILE* source = std::fopen(PathOf(sample).c_str(), "rb");
        ASSERT_NE(source, nullptr);
        DatabaseName naming = {};
        NameDatabase(source, sample.file, &naming);
        std::fclose(source);
        char destination[kFilePathChars + 1];
        ASSERT_EQ(BuildDestinationPath(destination, "F", naming.name, naming.isResourceDatabase, false), 0);
        EXPECT_STREQ(destination, sample.installedName);
    }
}

std::string DescribeWithFile(const std::string& path)
{
    std::string command = "file -b '" + path + "' 2>/dev/null";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
            output += buffer;
        pclose(pipe);
    }
    return output;
}

TEST(SampleDatabases, FileRecognisesThemWhereItKnowsPalmDatabases)
{
    // A bare library header tells whether this file(1) knows Palm OS
    // databases at all; only then must it know the samples.
    std::string probe = ::testing::TempDir() + "palm_probe.prc";
    {
        Bytes header(kHeaderSize + 2, 0);
        std::string name = "Probe";
        std::copy(name.begin(), name.end(), header.begin());
        header[33] = kResourceDatabase;
        std::string type = "librPrbe";
        std::copy(type.begin(), type.end(), header.begin() + 60);
        std::ofstream(probe, std::ios::binary).write(reinterpret_cast<const char*>(header.data()),
                                                      static_cast<std::streamsize>(header.size()));
    }
    std::string probeDescription = DescribeWithFile(probe);
    std::remove(probe.c_str());
    if (probeDescription.find("Palm OS") == std::string::npos)
        GTEST_SKIP() << "file(1) does not know Palm OS databases here: " << probeDescription;

    const std::pair<const Sample*, std::string> expected[] = {
        {&kSamples[0], "Palm OS dynamic library data \"Vantrel Demo Library\""},
        {&kSamples[1], "PalmDOC E-book \"Vantrel Demo: Notes/2\""},
    };
    for (const auto& [sample, description] : expected)
        EXPECT_NE(DescribeWithFile(PathOf(*sample)).find(description), std::string::npos)
            << sample->file << ": " << DescribeWithFile(PathOf(*sample));
}

} // namespace
