#include "startup/Startup.h"

int main(int argc, char** argv)
{
    return startup::runVeskel(argc, argv);
}
