#pragma once
// The state the main window shares: the project session its dialogs also see (which project is
// open, whether input events act, the open project's records, the message boxes) and what only the
// main window reads.
#include "store/ui/ProjectSession.h"

namespace q7 {

class modQ7 : public ProjectSession {
public:
    using ProjectSession::ProjectSession;

    // A result tab computed its tables since the last Open.
    bool SettingsInUse = false;
};

} // namespace q7
