#pragma once
// What every feature module gets from the main window when it is created:
// the registry it plugs into, the browser shell it works on and the
// program's common services. A module takes further services (Http, the
// API session, ...) as constructor arguments of its own.
#include "browser/shellhost.h"
#include "core/endpoints.h"

class ContextMenus;
class FeatureRegistry;
class ProgramClock;
class Prompts;
class QWidget;
class TabManager;
struct Settings;

struct ModuleContext {
    FeatureRegistry &registry;
    ShellHost &shell;
    TabManager &tabs;
    ContextMenus &menus;
    Settings &settings;
    Prompts &prompts;
    ProgramClock &clock;
    const Endpoints &endpoints;
    QWidget *window;    // the main window: parent of the module and its panels
    QWidget *toolbar;   // first parent of a toolbar control, until the row takes it
};
