// What a command started for one task ("/L NAME", "/L", "/S", "/T") tells whoever started
// it, as the process's exit code: a script can tell a change that took from one that did
// not without reading the box.
#pragma once

enum TaskOutcome {
    kTaskDone = 0,           // saved, set, deleted, or applied and read back as asked
    kTaskNotDone = 1,        // failed, did not take, or cancelled
    kTaskNoSuchProfile = 2,  // "/L NAME": no profile has that name
    kTaskRefused = 3,        // an apply refused before netsh ran: rights, the script, its path
};
