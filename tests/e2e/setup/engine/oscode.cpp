// Test helper: exits with the Setup engine's operating-system code, so a
// test can run it under each Windows version Wine can pretend to be.
#include "files.h"

int main() { return GetOSVersion(); }
