#pragma once
// Start-up and shut-down of the application, in the program's order: file
// types, the application object with its menu bar, the default window, then
// the event loop; the module objects are released after it.
#include <memory>

class App;

void InitFileTypes();
std::unique_ptr<App> NewAppInstance();
void ApplicationAddMenuHandlers(App& app);
void MakeDefaultView();

// Every step before the event loop; the application and its windows are
// open afterwards. Tests drive the windows from here without a loop.
void StartUp();
// The cached picture, the menu bar, then the file types.
void ReleaseModuleObjects();

// The whole run; the process's exit status.
int Main(int argc, char** argv);
