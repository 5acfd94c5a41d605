#include "ui/widgets/text_format.h"

namespace tavrik {

QString FormatText(const QString& format, const QStringList& arguments) {
  QString result;
  qsizetype next = 0;
  for (qsizetype i = 0; i < format.size(); ++i) {
    const QChar c = format[i];
    if (c != '%' || i + 1 >= format.size()) {
      result += c;
      continue;
    }
    const QChar directive = format[i + 1];
    if (directive == '%') {
      result += '%';
      ++i;
    } else if ((directive == 's' || directive == 'd') && next < arguments.size()) {
      result += arguments[next++];
      ++i;
    } else {
      result += c;
    }
  }
  return result;
}

}  // namespace tavrik
