#include "runtime/base/texts.h"

#include <QCoreApplication>

namespace rt {

std::string translate(const char* context, const char* source) {
    return QCoreApplication::translate(context, source).toStdString();
}

}  // namespace rt
