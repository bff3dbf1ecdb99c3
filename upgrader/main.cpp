#include <QApplication>

#include <iostream>

int main(int argc, char* argv[])
{
    // Only the launcher starts the upgrader, with its version and the beta flag.
    if (argc < 3 || !QString(argv[1]).contains('.')) {
        std::cerr << "don't launch upgrader yourself, please, it can be only launched by the launcher itself";
        return -1;
    }
    QApplication app(argc, argv);
    return 0;
}
