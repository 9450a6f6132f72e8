#pragma once
// Starting the new program file after an update. The new program is started
// as soon as the settings are saved, with the old program's process id in
// $VSSELAIN_WAIT_PID; the new program waits (a few seconds at most) until
// that process has ended before it opens the browser profile the old one
// still holds.
#include <QString>

namespace ProgramRestart {
bool start(const QString &programFile);
// At start-up: waits for the program named in $VSSELAIN_WAIT_PID to end.
void waitForPrevious(int limitMs = 15000);
}
