// SPDX-License-Identifier: MIT
#include "settings_file.h"

#include "platform/twips.h"

namespace hueprint::testing {

QString settingsFileText(QPoint position, const QStringList& replaced) {
    QString text = QStringLiteral("[Favorites]\n"
                                  "0=8388608\n"
                                  "1=32768\n"
                                  "10=16776960\n"
                                  "11=255\n"
                                  "12=16711935\n"
                                  "13=65535\n"
                                  "14=16777215\n"
                                  "2=8421376\n"
                                  "3=128\n"
                                  "4=8388736\n"
                                  "5=32896\n"
                                  "6=12632256\n"
                                  "7=8421504\n"
                                  "8=16711680\n"
                                  "9=65280\n"
                                  "\n"
                                  "[Form%20Position]\n"
                                  "X=%1\n"
                                  "Y=%2\n"
                                  "\n"
                                  "[Settings]\n"
                                  "AutoCopy=1\n"
                                  "Binary=False\n"
                                  "Current%20Color=0\n"
                                  "Decimal=False\n"
                                  "Hexadecimal=True\n"
                                  "Number%20of%20Characters=6\n"
                                  "Prefix=|cFF\n")
                       .arg(position.x() * kTwipsPerPixel)
                       .arg(position.y() * kTwipsPerPixel);
    for (const QString& line : replaced) {
        const qsizetype at = text.indexOf(QLatin1Char('\n') + line.section(QLatin1Char('='), 0, 0) +
                                          QLatin1Char('=')) +
                             1;
        text.replace(at, text.indexOf(QLatin1Char('\n'), at) - at, line);
    }
    return text;
}

} // namespace hueprint::testing
