#include "platform/video/Backend.h"

#include "platform/video/HeadlessBackend.h"

namespace platform {

namespace {
std::unique_ptr<Backend> installed;

Backend& Fallback() {
    static HeadlessBackend fallback(HeadlessOptions{240, 320}, nullptr);
    return fallback;
}
} // namespace

Backend& CurrentBackend() {
    return installed ? *installed : Fallback();
}
void InstallBackend(std::unique_ptr<Backend> backend) {
    installed = std::move(backend);
}
std::unique_ptr<Backend> UninstallBackend() {
    return std::move(installed);
}

} // namespace platform
