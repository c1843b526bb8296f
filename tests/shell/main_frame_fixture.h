#pragma once

#include "directory/dir_comparison.h"
#include "directory/sync_dir_user_seam.h"
#include "document/diff_doc.h"
#include "document/sync_user_seam.h"
#include "shell/frame_actions.h"
#include "shell/frame_seam.h"
#include "shell/main_frame.h"
#include "shell/pane_row.h"
#include "views/diff_view.h"
#include "views/semi_splitter.h"

#include <QAction>
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

inline QApplication& App()
{
    static int argc = 1;
    static char name[] = "shell_tests";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

// Answers the frame without a display and remembers what it was asked.
class RecordingFrameSeam : public CFrameSeam
{
public:
    void ShowMessage(const QString& text) override { messages.push_back(text); }
    void ShowError(const QString& text) override { errors.push_back(text); }
    std::optional<std::string> ChooseFile(const QString& title) override
    {
        titles.push_back(title);
        return Next();
    }
    std::optional<std::string> ChooseFolder(const QString& title) override
    {
        titles.push_back(title);
        return Next();
    }
    std::optional<std::string> ChoosePageToSave(const QString& title) override
    {
        titles.push_back(title);
        return Next();
    }
    bool OpenUrl(const QUrl& url) override
    {
        opened.push_back(url);
        return openSucceeds;
    }

    std::vector<QString> messages;
    std::vector<QString> errors;
    std::vector<QString> titles;
    std::vector<QUrl> opened;
    std::deque<std::optional<std::string>> answers;
    bool openSucceeds = true;

private:
    std::optional<std::string> Next()
    {
        if (answers.empty())
            return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// A main window over a real document and directory comparison, with a
// recording seam instead of dialogs and a settings file in a temporary folder.
class MainFrameTest : public ::testing::Test
{
protected:
    MainFrameTest()
        : store_(dir_.filePath("Varnel.conf"), QSettings::IniFormat), doc_(userSeam_),
          dirs_(dirSeam_)
    {
        App();
        frame_ = std::make_unique<CMainFrame>(doc_, dirs_, seam_, store_);
        frame_->resize(1000, 600);
        QObject::connect(&frame_->Panes(), &CPaneRow::UpdateAllPanes,
                         [this](UpdateHints hints) { hints_.push_back(hints); });
    }

    std::string Write(const std::string& name, const std::string& content)
    {
        const std::filesystem::path path = std::filesystem::path(dir_.path().toStdString()) / name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }

    std::vector<PaneClass> Row() const
    {
        std::vector<PaneClass> row;
        const CSemiSplitter& splitter = frame_->Panes().Splitter();
        for (int i = 0; i < splitter.GetColumnCount(); ++i)
            row.push_back(splitter.GetPaneClass(i));
        return row;
    }

    QTemporaryDir dir_;
    QSettings store_;
    CSyncUserSeam userSeam_;
    CSyncDirUserSeam dirSeam_;
    CDiffDoc doc_;
    CDirComparison dirs_;
    RecordingFrameSeam seam_;
    std::unique_ptr<CMainFrame> frame_;
    std::vector<UpdateHints> hints_;
};
