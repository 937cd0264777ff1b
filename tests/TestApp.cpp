// The application object of test programs that do not link the program's own.
#include "platform/Platform.h"

CWinApp theTestApp;
