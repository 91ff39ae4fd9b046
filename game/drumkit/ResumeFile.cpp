#include "game/drumkit/ResumeFile.h"

#include "platform/Files.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGStream.h"

VGString ResumeFilePath() {
    return GetAppPath() + u"resume.dat";
}

bool ResumeAvailable() {
    return FileExists(ResumeFilePath());
}

void DeleteResume() {
    VGString path = ResumeFilePath();
    platform::RemoveFile(std::u16string_view(path.Data(), path.Length()));
}
