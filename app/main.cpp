#include "application.h"

int main(int argc, char** argv) {
    return pomvexa::runApplication(argc, argv);
}
