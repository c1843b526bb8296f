#include "report/html_report.h"

#include "document/diff_doc.h"
#include "report/block_counts.h"
#include "report/html_listing.h"
#include "report/html_page.h"
#include "report/html_text.h"
#include "report/output_buffer.h"

#include <limits>

namespace {

std::string OnOff(bool flag)
{
    return flag ? "on" : "off";
}

} // namespace

CHtmlReport::CHtmlReport(COutputBuffer& out, const CAppearanceSettings& look, bool sideBySide)
    : out_(out), look_(look), sideBySide_(sideBySide)
{
}

std::string CHtmlReport::OptionsLine(const CDiffDoc& doc)
{
    const bool binary = doc.firstBuf() && doc.firstBuf()->type() == CDiffBuf::Binary;
    const ComparisonSettings& settings = doc.settings;
    std::string line = binary ? "Compared byte by byte" : "Compared line by line";
    if (!binary) {
        line += "; ignore case ";
        line += OnOff(settings.ignoreCase);
        line += ", ignore blanks ";
        line += OnOff(settings.ignoreBlanks);
    }
    line += "; block size ";
    line += std::to_string(binary ? settings.binBlockSize : settings.txtBlockSize);
    line += ", limit ";
    line += std::to_string(binary ? settings.binLimit : settings.txtLimit);
    return line;
}

void CHtmlReport::Write(const CDiffDoc& doc, const std::string& firstPath,
                        const std::string& secondPath, const QStringList& messages)
{
    CHtmlPage page(out_, look_);
    page.Begin("Varnel: comparison of two files");
    page.WritePaths(firstPath, secondPath);
    page.WriteParagraph("options", OptionsLine(doc));
    const bool binary = doc.firstBuf() && doc.firstBuf()->type() == CDiffBuf::Binary;
    page.WriteParagraph("summary", CBlockCounts(doc.allList()).Sentence(binary ? "bytes" : "lines"));
    for (const QString& message : messages) {
        QString line = message.trimmed();
        line.replace(QLatin1Char('\n'), QLatin1Char(' '));
        page.WriteParagraph("note", line.toStdString());
    }
    // A page of one comparison is the whole comparison: no bound.
    CHtmlListing listing(out_, doc, look_, std::string(), std::numeric_limits<long long>::max());
    if (sideBySide_)
        listing.WriteSideBySide(CHtmlText::Name(firstPath), CHtmlText::Name(secondPath));
    else
        listing.WriteComposite();
    page.End();
}
