#include "platform/desktop/resident_client.h"

#include <dbus/dbus.h>

#include <algorithm>

#include "platform/capture/late_libraries.h"

namespace velmor {

namespace {

// clang-format off
#define VELMOR_DBUS_SYMBOLS(X)                                                               \
    X(dbus_error_init) X(dbus_error_free) X(dbus_bus_get_private) X(dbus_bus_name_has_owner) \
    X(dbus_connection_set_exit_on_disconnect) X(dbus_connection_close)                       \
    X(dbus_connection_unref) X(dbus_message_new_method_call) X(dbus_message_iter_init_append) \
    X(dbus_message_iter_open_container) X(dbus_message_iter_append_basic)                    \
    X(dbus_message_iter_close_container) X(dbus_connection_send_with_reply_and_block)        \
    X(dbus_message_get_args) X(dbus_message_unref)
// clang-format on

struct DbusLibrary {
    VELMOR_DBUS_SYMBOLS(VELMOR_LATE_SYMBOL)
};

const DbusLibrary* Dbus() {
    static const std::optional<DbusLibrary> table =
        VELMOR_LOAD_LATE(DbusLibrary, VELMOR_DBUS_SYMBOLS, "libdbus-1.so.3");
    return table ? &*table : nullptr;
}

}  // namespace

std::string ResidentPath() {
    std::string path = "/" + std::string(VELMOR_APP_ID);
    std::replace(path.begin(), path.end(), '.', '/');
    return path;
}

namespace {

// Runs `talk` on a private connection to the session bus when the running
// copy's name has an owner there.
template <typename Talk>
auto WithResident(Talk talk) -> decltype(talk(*Dbus(), nullptr, nullptr)) {
    const DbusLibrary* d = Dbus();
    if (d == nullptr) return {};
    DBusError error;
    d->dbus_error_init(&error);
    DBusConnection* bus = d->dbus_bus_get_private(DBUS_BUS_SESSION, &error);
    if (bus == nullptr) {
        d->dbus_error_free(&error);
        return {};
    }
    d->dbus_connection_set_exit_on_disconnect(bus, false);
    decltype(talk(*d, bus, &error)) result{};
    if (d->dbus_bus_name_has_owner(bus, VELMOR_APP_ID, &error)) result = talk(*d, bus, &error);
    d->dbus_error_free(&error);
    d->dbus_connection_close(bus);
    d->dbus_connection_unref(bus);
    return result;
}

}  // namespace

bool ResidentRunning() {
    return WithResident([](const DbusLibrary&, DBusConnection*, DBusError*) { return true; });
}

std::optional<ResidentAnswer> AskResident(const std::vector<std::string>& arguments, bool pick) {
    return WithResident([&](const DbusLibrary& library, DBusConnection* bus, DBusError* errors) {
        const DbusLibrary* d = &library;
        DBusError& error = *errors;
        std::optional<ResidentAnswer> answer;
        const std::string path = ResidentPath();
        DBusMessage* call = d->dbus_message_new_method_call(VELMOR_APP_ID, path.c_str(),
                                                            VELMOR_APP_ID, pick ? "Pick" : "Show");
        if (pick) {
            DBusMessageIter args, list;
            d->dbus_message_iter_init_append(call, &args);
            d->dbus_message_iter_open_container(&args, DBUS_TYPE_ARRAY, "s", &list);
            for (const std::string& a : arguments) {
                const char* text = a.c_str();
                d->dbus_message_iter_append_basic(&list, DBUS_TYPE_STRING, &text);
            }
            d->dbus_message_iter_close_container(&args, &list);
        }
        // A pick waits for the user, as long as the user takes.
        DBusMessage* reply =
            d->dbus_connection_send_with_reply_and_block(bus, call, DBUS_TIMEOUT_INFINITE, &error);
        d->dbus_message_unref(call);
        answer = ResidentAnswer{};
        if (reply == nullptr) {
            answer->status = 2;
            answer->err = std::string("the running picker did not answer: ") +
                          (error.message != nullptr ? error.message : "no reply");
        } else {
            dbus_int32_t status = 0;
            const char* out = "";
            const char* err = "";
            if (pick &&
                !d->dbus_message_get_args(reply, &error, DBUS_TYPE_INT32, &status, DBUS_TYPE_STRING,
                                          &out, DBUS_TYPE_STRING, &err, DBUS_TYPE_INVALID)) {
                status = 2;
                err = "the running picker gave an answer of another shape";
            }
            *answer = {status, out, err};
            d->dbus_message_unref(reply);
        }
        return answer;
    });
}

}  // namespace velmor
