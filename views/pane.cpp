#include "views/pane.h"

CPane::~CPane() = default;
