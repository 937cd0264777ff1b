// Everything the program uses of the platform layer.
#pragma once

#include "platform/App.h"
#include "platform/CString.h"
#include "platform/Dialog.h"
#include "platform/MessageMap.h"
#include "platform/Registry.h"
#include "platform/Resources.h"
#include "platform/Threads.h"
#include "platform/Window.h"
#include "platform/WinTypes.h"
