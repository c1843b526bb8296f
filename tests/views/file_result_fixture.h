#pragma once

#include "document/diff_doc.h"
#include "document/sync_user_seam.h"
#include "recording_pane_host.h"
#include "views/appearance.h"
#include "test_app.h"

#include <QColor>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

// Two small text files compared by a document, and appearance settings whose
// background colours all differ, so that a pane drawn into an image shows
// which kind of content lies where.
class CFileResultFixture : public ::testing::Test
{
protected:
    CFileResultFixture()
    {
        appearance_.normalBgCol = 16; // Light Cyan
        appearance_.oldBgCol = 7;     // Green
        appearance_.newBgCol = 11;    // Yellow
    }

    // Two files of seven lines that differ in the middle one: "old" was
    // removed, "new" added; three common lines on either side, enough for the
    // comparison to pair them.
    void CompareOneChangedLine()
    {
        ASSERT_TRUE(doc_.RunFileComparison(Write("old.txt", "1\n2\n3\nold\n4\n5\n6\n"),
                                           Write("new.txt", "1\n2\n3\nnew\n4\n5\n6\n")));
    }

    // The first file: A (6 lines) B (2) C (6); the second: A C B, so that B,
    // the shorter, moved. Neither ends in a line break, so that both end in
    // content and not in an empty last line.
    void CompareWithAMove()
    {
        const std::string a = "a1\na2\na3\na4\na5\na6\n";
        const std::string b = "b1\nb2";
        const std::string c = "c1\nc2\nc3\nc4\nc5\nc6";
        ASSERT_TRUE(doc_.RunFileComparison(Write("old.txt", a + b + "\n" + c),
                                           Write("new.txt", a + c + "\n" + b)));
        int moved = 0;
        for (const DIFF_BLOCK* block : doc_.allList().Blocks())
            moved += block->kind == BlockKind::Moved ? 1 : 0;
        ASSERT_EQ(moved, 2);
    }

    std::string Write(const std::string& name, const std::string& bytes) const
    {
        const std::string path = folder_.filePath(QString::fromStdString(name)).toStdString();
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        return path;
    }

    QColor Bg(int index) const { return appearance_.GetBgPaletteColor(index); }

    // Bytes that look like no text, the same for the same seed.
    static std::string RandomBytes(std::size_t count, unsigned seed)
    {
        std::string bytes(count, '\0');
        for (char& c : bytes) {
            seed = seed * 1103515245u + 12345u;
            c = static_cast<char>(seed >> 16);
        }
        return bytes;
    }

    // The colours met going down one column of pixels of the widget as drawn,
    // each run of equal pixels counted once.
    static std::vector<QRgb> ColoursDown(QWidget& widget, int x, int top, int bottom)
    {
        const QImage image = widget.grab().toImage();
        std::vector<QRgb> runs;
        for (int y = top; y < bottom; ++y) {
            const QRgb pixel = image.pixelColor(x, y).rgb();
            if (runs.empty() || runs.back() != pixel)
                runs.push_back(pixel);
        }
        return runs;
    }

    QApplication& app_ = TestApp();
    QTemporaryDir folder_;
    CSyncUserSeam seam_;
    CDiffDoc doc_{seam_};
    CAppearance appearance_;
    CRecordingPaneHost host_;
};
