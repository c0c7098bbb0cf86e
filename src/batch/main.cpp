#include "batch/BatchMain.h"

int main(int argc, char** argv) {
    return hoplark::BatchMain(argc, argv);
}
