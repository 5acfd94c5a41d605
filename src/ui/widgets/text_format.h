#pragma once

#include <QString>
#include <QStringList>

namespace tavrik {

// Fills a localised format: each "%s" or "%d" takes the next argument as it stands, "%%"
// gives "%", and anything else (an unknown directive, a directive without an argument
// left) is copied unchanged. A translated text can therefore never read past its
// arguments.
QString FormatText(const QString& format, const QStringList& arguments);

}  // namespace tavrik
