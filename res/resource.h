/* Resource ids shared by the resource script and the Win32 backend. */
#pragma once

#define IDI_APPLICATION_ICON 1
#define IDI_LOCK_ICON 2
#define IDB_LOCK_PICTURE 3
