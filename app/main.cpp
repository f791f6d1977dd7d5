#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream(stdout) << "Zelkit Chat " << ZELKIT_VERSION_MAJOR << '.' << ZELKIT_VERSION_MINOR
                        << " build " << ZELKIT_VERSION_BUILD << '\n';
    return 0;
}
