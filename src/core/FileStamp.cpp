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
    std::string bytes;
    char buffer[8192];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.file.get())) > 0)
        bytes.append(buffer, n);
    if (std::ferror(file.file.get()))
        return use;
    use.bytes = bytes.size();
    use.sha256 = Sha256Hex(bytes);
    return use;
}

} // namespace dralun
