#include "core/PostedPath.h"

#include <map>
#include <mutex>

namespace {

struct Mailbox {
    std::mutex lock;
    std::map<LPARAM, std::string> paths;
    LPARAM lastNumber = 0;
};

Mailbox& TheMailbox()
{
    static Mailbox mailbox;
    return mailbox;
}

} // namespace

bool PostPathMessage(HWND window, UINT message, const std::string& path)
{
    Mailbox& mailbox = TheMailbox();
    LPARAM number = 0;
    {
        const std::lock_guard<std::mutex> guard(mailbox.lock);
        number = ++mailbox.lastNumber;
        mailbox.paths.emplace(number, path);
    }
    if (::PostMessageA(window, message, 0, number))
        return true;
    const std::lock_guard<std::mutex> guard(mailbox.lock);
    mailbox.paths.erase(number);
    return false;
}

std::optional<std::string> TakePostedPath(LPARAM number)
{
    Mailbox& mailbox = TheMailbox();
    const std::lock_guard<std::mutex> guard(mailbox.lock);
    const auto found = mailbox.paths.find(number);
    if (found == mailbox.paths.end())
        return std::nullopt;
    std::string path = std::move(found->second);
    mailbox.paths.erase(found);
    return path;
}
