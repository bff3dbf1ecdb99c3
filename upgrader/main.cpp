#include "upgradersequence.h"

int main(int argc, char* argv[])
{
    return Upgrader::runProgram(argc, argv);
}
