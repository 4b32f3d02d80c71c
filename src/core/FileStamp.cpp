#include "core/FileStamp.h"

#include "core/FileAccess.h"
#include "core/Sha256.h"

namespace dralun {

DataFileUse StampFile(const std::string& name, const std::filesystem::path& path)
{
    DataFileUse use{name, 0, "", {}, nullptr};
    ReadableFile file = OpenForReading(path);
    if (!file)
        return use;
    const std::optional<std::string> bytes = ReadRest(file.file.get());
    if (!bytes)
        return use;
    use.bytes = bytes->size();
    use.sha256 = Sha256Hex(*bytes);
    return use;
}

} // namespace dralun
