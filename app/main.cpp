#include "app/Game.h"

int main(int argc, char** argv) { return app::RunEntryRoutine(argc, argv); }
