#include "report_fixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

struct JSON_CASE
{
    const char* name;
    std::string oldName = "old";
    std::string oldBytes;
    std::string newBytes;
    int exitStatus;
    const char* mode;
    int oldCount;
    int newCount;
    bool identical;
    std::vector<std::string> messages;
    // Each block as "id kind length" followed by "posA,posB" for a Common
    // block or "side@pos" for the others.
    std::vector<std::string> blocks;

    friend void PrintTo(const JSON_CASE& c, std::ostream* out) { *out << c.name; }
};

// clang-format off
const JSON_CASE kJsonCases[] = {
    // Each run is a process of its own, so its first block is drawn as id 0.
    {.name = "ChangedLineKeepsTheDrawnIds",
     .oldBytes = "a\nb\nc\nd\ne", .newBytes = "a\nb\nx\nd\ne",
     .exitStatus = 1, .mode = "text", .oldCount = 5, .newCount = 5, .identical = false,
     .messages = {},
     .blocks = {"0 Common 2 0,0", "2 Unmatched 1 0@2", "3 Unmatched 1 1@2", "1 Common 2 3,3"}},
    {.name = "MovedPairSharesItsId", .oldBytes = "a\nb\nc\nd\ne\nf", .newBytes = "d\ne\nf\na\nb\nc",
     .exitStatus = 1, .mode = "text", .oldCount = 6, .newCount = 6, .identical = false,
     .messages = {},
     .blocks = {"0 Moved 3 0@0", "1 Common 3 3,0", "0 Moved 3 1@3"}},
    {.name = "Identical", .oldBytes = "a\nb\n", .newBytes = "a\nb\n",
     .exitStatus = 0, .mode = "text", .oldCount = 3, .newCount = 3, .identical = true,
     .messages = {"The files are identical!"},
     .blocks = {"0 Common 3 0,0"}},
    {.name = "IgnoredLineEnds", .oldBytes = "a\r\nb\r\n", .newBytes = "a\nb\n",
     .exitStatus = 0, .mode = "text", .oldCount = 3, .newCount = 3, .identical = false,
     .messages = {"The files are not identical,\nbut contains no relevant differences!"},
     .blocks = {"0 Common 3 0,0"}},
    {.name = "EmptyFirst", .oldBytes = "", .newBytes = "x",
     .exitStatus = 1, .mode = "text", .oldCount = 0, .newCount = 1, .identical = false,
     .messages = {"old is empty!"},
     .blocks = {"0 Unmatched 0 0@0", "1 Unmatched 1 1@0"}},
    {.name = "BinaryCountsBytes",
     .oldBytes = "0123456789AB", .newBytes = std::string("0123456789\0B", 12),
     .exitStatus = 1, .mode = "binary", .oldCount = 12, .newCount = 12, .identical = false,
     .messages = {},
     .blocks = {"0 Common 10 0,0", "1 Unmatched 2 0@10", "2 Unmatched 2 1@10"}},
    {.name = "PathIsEscaped", .oldName = "we\"ird\\name",
     .oldBytes = "same\nsame", .newBytes = "same\nsame",
     .exitStatus = 0, .mode = "text", .oldCount = 2, .newCount = 2, .identical = true,
     .messages = {"The files are identical!"},
     .blocks = {"0 Common 2 0,0"}},
};
// clang-format on

std::string Describe(const QJsonObject& block)
{
    std::string text = std::to_string(block[QStringLiteral("id")].toInt(-1)) + " " +
                       block[QStringLiteral("kind")].toString().toStdString() + " " +
                       std::to_string(block[QStringLiteral("length")].toInt(-1)) + " ";
    if (block.contains(QStringLiteral("posA"))) {
        text += std::to_string(block[QStringLiteral("posA")].toInt(-1)) + "," +
                std::to_string(block[QStringLiteral("posB")].toInt(-1));
    } else {
        text += std::to_string(block[QStringLiteral("side")].toInt(-1)) + "@" +
                std::to_string(block[QStringLiteral("pos")].toInt(-1));
    }
    return text;
}

// A block carries either the two positions of a Common block or the side and
// position of any other, never a mixture.
bool HasTheFieldsOfItsKind(const QJsonObject& block)
{
    const bool common = block[QStringLiteral("kind")].toString() == QStringLiteral("Common");
    return block.contains(QStringLiteral("posA")) == common &&
           block.contains(QStringLiteral("posB")) == common &&
           block.contains(QStringLiteral("side")) != common &&
           block.contains(QStringLiteral("pos")) != common;
}

class JsonReport : public CReportFixture, public ::testing::WithParamInterface<JSON_CASE>
{
};

} // namespace

TEST_P(JsonReport, DescribesTheFilesAndEveryBlock)
{
    const JSON_CASE& c = GetParam();
    Write(c.oldName, c.oldBytes);
    Write("new", c.newBytes);

    const RUN_RESULT result = Run({"--report=json", c.oldName, "new"});

    EXPECT_EQ(result.exitStatus, c.exitStatus);
    EXPECT_EQ(result.err, "");
    QJsonParseError error{};
    const QJsonDocument json =
        QJsonDocument::fromJson(QByteArray::fromStdString(result.out), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << result.out;
    const QJsonObject report = json.object();
    EXPECT_EQ(report[QStringLiteral("mode")].toString().toStdString(), c.mode);
    EXPECT_EQ(report[QStringLiteral("first")][QStringLiteral("path")].toString().toStdString(),
              c.oldName);
    EXPECT_EQ(report[QStringLiteral("first")][QStringLiteral("count")].toInt(-1), c.oldCount);
    EXPECT_EQ(report[QStringLiteral("second")][QStringLiteral("path")].toString(),
              QStringLiteral("new"));
    EXPECT_EQ(report[QStringLiteral("second")][QStringLiteral("count")].toInt(-1), c.newCount);
    ASSERT_TRUE(report[QStringLiteral("identical")].isBool());
    EXPECT_EQ(report[QStringLiteral("identical")].toBool(), c.identical);

    std::vector<std::string> messages;
    for (const QJsonValue& message : report[QStringLiteral("messages")].toArray())
        messages.push_back(message.toString().toStdString());
    EXPECT_EQ(messages, c.messages);

    std::vector<std::string> blocks;
    for (const QJsonValue& value : report[QStringLiteral("blocks")].toArray()) {
        EXPECT_TRUE(HasTheFieldsOfItsKind(value.toObject())) << Describe(value.toObject());
        blocks.push_back(Describe(value.toObject()));
    }
    EXPECT_EQ(blocks, c.blocks);
}

INSTANTIATE_TEST_SUITE_P(Cases, JsonReport, ::testing::ValuesIn(kJsonCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CReportFixture, JsonSummaryCountsTheElements)
{
    Write("old", "a\nb\nc\nd\ne\nf\ng\nh");
    Write("new", "a\nb\nX\nf\ng\nh\nc\nd");

    const RUN_RESULT result = Run({"--report=json", "old", "new"});

    const QJsonObject summary =
        QJsonDocument::fromJson(QByteArray::fromStdString(result.out))[QStringLiteral("summary")]
            .toObject();
    EXPECT_EQ(summary[QStringLiteral("identical")].toInt(-1), 5);
    EXPECT_EQ(summary[QStringLiteral("removed")].toInt(-1), 1);
    EXPECT_EQ(summary[QStringLiteral("added")].toInt(-1), 1);
    EXPECT_EQ(summary[QStringLiteral("moved")].toInt(-1), 2);
}
