// Shell actions: open a folder or a web address with the desktop's handler, power the machine
// off. When the environment names a log file (VC_SHELL_LOG), or under test (VC_TEST), each action
// is recorded instead of performed, so no test ever opens a browser or powers the machine off.
#pragma once

#include <QString>

namespace shell {

void openFolder(const QString& path);  // file browser; maximising is left to the desktop
void openUrl(const QString& url);
void powerOff();                        // logind PowerOff over D-Bus, `systemctl poweroff` as fallback

// The log a recording run writes to; empty when actions are performed for real.
QString recordingLog();

} // namespace shell
