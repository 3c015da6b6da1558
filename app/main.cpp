// The program's entry point: everything else is the application object's.
#include "application.h"

int main(int argc, char** argv) { return plenwick::CPlenwickApp::Run(argc, argv); }
