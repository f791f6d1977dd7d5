// Saves the settings again and again until it is killed, each round with values that belong
// together (the round's number in three settings), so that a file torn between two rounds
// shows. Used by tst_savekill.
#include "config/Config.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    TConfig config(QString::fromLocal8Bit(argv[1]));
    config.OpenRegistryKey(QString::fromLatin1(TConfig::KeyPath));
    config.LoadAll();
    for (int round = 1;; ++round) {
        config.SetStr(user_name, QStringLiteral("Saver %1").arg(round));
        config.SetStr(history_file_name,
                      QStringLiteral("/home/someone/%1/").arg(round).repeated(8) +
                          QStringLiteral("history.txt"));
        config.SetInt(udp_port, 1000 + round % 60000);
        if (!config.SaveAll())
            return 1;
    }
}
