#include "views/pane_host.h"

CPaneHost::~CPaneHost() = default;
