#include "app/application.h"

int main(int argc, char** argv) {
    return tivra::runTivra(argc, argv);
}
