// vyx: a TV set, FM radio and recorder for Bt848-family capture cards.
#include "viewer/Startup.h"

int main(int argc, char** argv) { return viewer::VyxMain(argc, argv); }
