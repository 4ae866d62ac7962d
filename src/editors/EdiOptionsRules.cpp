#include "editors/EdiOptionsRules.h"

QString byteLimitName(const QString &labelCaption)
{
    QString plain;
    for (qsizetype i = 0; i < labelCaption.size(); ++i) {
        // "&&" stands for a single "&"; a lone "&" marks the accelerator.
        if (labelCaption[i] == QLatin1Char('&')) {
            if (i + 1 < labelCaption.size() && labelCaption[i + 1] == QLatin1Char('&'))
                plain += labelCaption[++i];
            continue;
        }
        plain += labelCaption[i];
    }
    return QStringLiteral("Bytes per ") + plain;
}

Fallible<int> parseByteLimit(const QString &text, int minimum, const QString &name)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < minimum)
        return Fallible<int>::failure(
            QStringLiteral("El valor de '%1' ha de ser un número enter no inferior a %2")
                .arg(name)
                .arg(minimum));
    return value;
}
