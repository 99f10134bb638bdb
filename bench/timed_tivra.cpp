// tivra as scripts/bench times it: the program itself, ended once its splash is on screen.

#include "app/application.h"
#include "exit_when_shown.h"

int main(int argc, char** argv) {
    tivra::ExitWhenShown exitAtSplash;
    return tivra::runTivra(argc, argv, [&](QApplication& application) {
        application.installEventFilter(&exitAtSplash);
    });
}
