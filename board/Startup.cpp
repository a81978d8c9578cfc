// Startup: modules, title, windows, message loop.
#include "board/Startup.h"

#include "board/BoardPlace.h"
#include "board/MainForm.h"
#include "forms/Application.h"
#include "forms/Form.h"
#include "game/Settings.h"
#include "game/Solver.h"
#include "game/Store.h"
#include "platform/Platform.h"
#include "util/Scale.h"
#include "windows/SkinnedForm.h"
#include "windows/UAbout.h"
#include "windows/UCombs.h"
#include "windows/UHigh.h"
#include "windows/UMessage.h"
#include "windows/UOptions.h"
#include "windows/UStats.h"
#include "windows/UTimer.h"

namespace {

// Returns the drawing scale to start at.
int InitialiseModules(Platform& platform) {
    SetStoreOpener([&platform] { return platform.OpenStore(); });
    WindowPositions.Open();
    // The candidate buffers are static storage of the solver: nothing to
    // allocate, only the count and hint to start from zero.
    ResetSolverState();
    // The player's own choice of scale, else the desktop's; either only as
    // far as the board fits the screen.
    const int stored = WindowPositions.StoredScale();
    return LargestFittingScale(stored != 0 ? stored : platform.PreferredScale(), platform.WorkArea());
}

void CreateWindows(Application& app) {
    TfrmMain& main = app.CreateForm<TfrmMain>();
    app.CreateForm<TfrmAbout>();
    app.CreateForm<TfrmOptions>();
    app.CreateForm<TfrmTimer>();
    app.CreateForm<TfrmCombs>();
    app.CreateForm<TfrmMessage>();
    app.CreateForm<TfrmHigh>();
    app.CreateForm<TfrmStats>();
    SetMainKeyHandler([&main](int key, unsigned modifiers) { main.FormKeyDown(key, modifiers); });
}

}  // namespace

std::unique_ptr<Application> StartProgram(Platform& platform) {
    const int scale = InitialiseModules(platform);
    auto app = std::make_unique<Application>(platform, scale);
    app->Title = "QuorVex";
    CreateWindows(*app);
    return app;
}

void EndProgram(Application& app, GameAtEnding game) {
    // The main loop may have ended without the board being closed (the
    // session ending, a quit from outside): the options and records are
    // stored all the same, while the side windows still show. Nobody asked
    // for this ending through the game, so nothing may wait for an answer.
    app.SessionEnding();
    if (frmMain) frmMain->StoreOnEnding(game);
    SetMainKeyHandler(nullptr);
    app.DestroyForms();
}

int RunQuorVex(Platform& platform) {
    const auto app = StartProgram(platform);
    app->Run();
    EndProgram(*app);
    return 0;
}
