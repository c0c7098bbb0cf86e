#include "ui/AppMain.h"

int main(int argc, char** argv) { return hoplark::AppMain(argc, argv); }
