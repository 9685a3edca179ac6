#include "dvd/DvdJob.h"

#include "convert/CommandBuilder.h"

namespace dvd {

QString DvdOutputPath(const QString& folder, const QString& caption, const QString& extension,
                      const std::function<bool(const QString&)>& exists)
{
    int lead = 0;
    while (lead < caption.size() && caption[lead] == QLatin1Char(' '))
        ++lead;
    return command::NumberedOutputPath(folder, caption.mid(lead) + extension, caption, extension, exists);
}

} // namespace dvd
