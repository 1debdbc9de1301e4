// Setup.exe's entry. The one application object lives from before the
// start routine to the end of the run, so COM stays initialised throughout.
#include "setup_app.h"

extern "C" int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int cmdShow) {
    CSetupApp app;
    // 0 whatever happened, but for an unattended run's code.
    return AppMain(instance, cmdLine, cmdShow);
}
