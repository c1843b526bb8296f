#pragma once

#include <optional>
#include <string>

class CDirComparison;
class CPaneHost;
class QWidget;
struct CDirNode;

// Opens the file the user chose in a directory pane: a modified file as a
// pair with the pane's own side first, any other file alone.
//
// The opening waits until control is back in the event loop. Opening makes
// the window rearrange its panes and rebuild every directory pane, the
// choosing one included, which must not happen inside that pane's own
// handling of the click or key that chose. Nor may the nodes be trusted by
// then, so a choice is kept as paths. Choices made before the event loop
// comes round replace each other, and only the last one opens.
class CDirOpener
{
public:
    enum class AfterOpening
    {
        KeepOtherSelections,
        ClearOtherTreeSelections, // only the choosing tree keeps its selection
    };

    CDirOpener(QWidget& pane, const CDirComparison& dirs, CPaneHost& host,
               AfterOpening afterOpening);

    // Remembers the choice of a node shown in the pane of a side and opens it
    // soon. A folder opens nothing.
    void Choose(const CDirNode& node, int sideIndex);

private:
    struct CHOICE
    {
        std::string relativePath;
        std::string firstPath;
        std::string secondPath; // only for a pair
        bool pair = false;
    };

    CHOICE ChoiceFor(const CDirNode& node, int sideIndex) const;
    void OpenPending();

    QWidget& pane_;
    const CDirComparison& dirs_;
    CPaneHost& host_;
    AfterOpening afterOpening_;
    std::optional<CHOICE> pending_;
};
