#include "app/data_folder_check.h"

#include "resources/texts.h"
#include "store/ascii_case.h"

namespace kavo {

namespace {

constexpr std::u16string_view kLongPathPrefix = u"\\\\?\\";

char16_t foldUnit(char16_t unit) {
    return unit == u'/' ? u'\\' : foldAsciiCase(unit);
}

std::u16string normalPath(std::u16string_view path) {
    if (path.starts_with(kLongPathPrefix)) {
        path.remove_prefix(kLongPathPrefix.size());
    }
    std::u16string normal;
    normal.reserve(path.size());
    for (const char16_t unit : path) {
        normal += foldUnit(unit);
    }
    while (!normal.empty() && normal.back() == u'\\') {
        normal.pop_back();
    }
    return normal;
}

bool underAny(std::u16string_view folder, const std::vector<std::u16string>& roots) {
    for (const std::u16string& root : roots) {
        if (liesUnder(folder, root)) {
            return true;
        }
    }
    return false;
}

} // namespace

bool liesUnder(std::u16string_view path, std::u16string_view root) {
    const std::u16string normalRoot = normalPath(root);
    // "C:" alone, after the separator is gone: every folder of the drive would match.
    if (normalRoot.find(u'\\') == std::u16string::npos) {
        return false;
    }
    const std::u16string normal = normalPath(path);
    return normal.starts_with(normalRoot) &&
           (normal.size() == normalRoot.size() || normal[normalRoot.size()] == u'\\');
}

DataFolderProblem dataFolderProblem(std::u16string_view folder, const SystemFolders& folders) {
    std::vector<std::u16string> temporary;
    for (const std::u16string& root : folders.temporary) {
        if (folders.userProfile.empty() || !liesUnder(folders.userProfile, root)) {
            temporary.push_back(root);
        }
    }
    if (underAny(folder, temporary)) {
        return DataFolderProblem::Temporary;
    }
    if (underAny(folder, folders.programFiles)) {
        return DataFolderProblem::ProgramFiles;
    }
    if (underAny(folder, folders.windows)) {
        return DataFolderProblem::WindowsFolder;
    }
    return DataFolderProblem::None;
}

std::u16string dataFolderWarning(DataFolderProblem problem, std::u16string_view folder) {
    std::u16string text(kDataFolderHeading);
    text += folder;
    text += u"\n\n";
    switch (problem) {
    case DataFolderProblem::Temporary:
        text += kTemporaryFolderReason;
        break;
    case DataFolderProblem::ProgramFiles:
        text += kProgramFilesReason;
        break;
    case DataFolderProblem::WindowsFolder:
        text += kWindowsFolderReason;
        break;
    case DataFolderProblem::NotWritable:
    case DataFolderProblem::None:
        text += kNotWritableReason;
        break;
    }
    text += kDataFolderAdvice;
    return text;
}

} // namespace kavo
