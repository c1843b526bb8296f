#pragma once

#include "views/update_hint.h"

// What every pane of the main window answers to, whatever widget it is: the
// update that follows each change of what is shown, and which input it shows.
// A pane tests the hints it cares about and ignores the rest.
class CPane
{
public:
    virtual ~CPane();

    virtual void OnUpdate(UpdateHints hints) = 0;

    // Set by the frame each time it arranges the panes; a pane that shows no
    // single input ignores both. sideIndex is 0 for the first (old) input and
    // 1 for the second (new); composite says the pane shows both inputs in
    // one, and then sideIndex is 0.
    int sideIndex = 0;
    bool composite = false;
};
