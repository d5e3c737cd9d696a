// Feeds the System Information launcher and the registry reader a registry whose every answer
// comes from the fuzzer's bytes: any status, any type, any size (lies included) and any data.
// Whatever it answers, the reader must not read past its buffer, must close every key it
// opened, and one click must show at most one message and leave the About box open.
#include "about/frmabout.h"
#include "fakeruntime.h"
#include "runtime/runtimeerror.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <cstring>
#include <set>

namespace pomvexa::testing {
namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

class FuzzedRegistry : public Registry {
public:
    explicit FuzzedRegistry(FuzzedDataProvider& data)
        : data(data) {}

    std::set<Key> openKeys;

    Status openKey(std::int32_t, const std::string&, std::uint32_t access, Key& key) override {
        require(access == readAccess);
        switch (data.ConsumeIntegralInRange(0, 7)) {
        case 0:
            throw RuntimeError(RuntimeError::dllNotLoaded);
        case 1:
            return fileNotFound;
        case 2:
            return failure();
        default:
            key = nextKey++;
            openKeys.insert(key);
            return success;
        }
    }

    Status queryValue(Key key, const std::string&, std::uint32_t& type, std::uint8_t* buffer,
                      std::uint32_t& size) override {
        require(openKeys.count(key) == 1);
        const std::uint32_t capacity = size;
        switch (data.ConsumeIntegralInRange(0, 5)) {
        case 0:
            return moreData;
        case 1:
            return failure();
        case 2:
            throw RuntimeError(RuntimeError::dllEntryPointNotFound);
        default:
            break;
        }
        const std::uint32_t types[] = {typeString, typeDword, 3,
                                       data.ConsumeIntegral<std::uint32_t>()};
        type = types[data.ConsumeIntegralInRange(0, 3)];
        const auto bytes =
            data.ConsumeBytes<std::uint8_t>(data.ConsumeIntegralInRange<std::size_t>(0, capacity));
        if (!bytes.empty())
            std::memcpy(buffer, bytes.data(), bytes.size());
        size = data.ConsumeBool() ? static_cast<std::uint32_t>(bytes.size())
                                  : data.ConsumeIntegral<std::uint32_t>();
        return success;
    }

    Status closeKey(Key key) override {
        require(openKeys.erase(key) == 1);
        return data.ConsumeBool() ? success : data.ConsumeIntegral<Status>();
    }

    std::string toText(std::string_view bytes) const override { return std::string(bytes); }

private:
    // Any status but success, which a registry gives only with a key or a value.
    Status failure() {
        const Status status = data.ConsumeIntegral<Status>();
        return status == success ? fileNotFound : status;
    }

    FuzzedDataProvider& data;
    Key nextKey = 1;
};

// The runtime's file test and launch answer from the fuzzer's bytes too.
class FuzzedRuntime : public FakeRuntime {
public:
    FuzzedRuntime(CallLog& log, FuzzedDataProvider& data)
        : FakeRuntime(log)
        , data(data) {}

    std::string findFile(const std::string&) override {
        return data.ConsumeBool() ? "MSINFO32.EXE" : "";
    }
    void launchProgram(const std::string& path, WindowStyle style) override {
        if (data.ConsumeBool())
            throw RuntimeError(RuntimeError::fileNotFound);
        FakeRuntime::launchProgram(path, style);
    }

private:
    FuzzedDataProvider& data;
};

} // namespace
} // namespace pomvexa::testing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace pomvexa;
    using namespace pomvexa::testing;
    FuzzedDataProvider data(bytes, size);
    CallLog log;
    FuzzedRuntime runtime(log, data);
    FuzzedRegistry registry(data);
    FakeWindow window("frmAbout", log);
    FakeLabel title("lblTitle", log);
    FakeLabel version("lblVersion", log);
    frmAbout form(runtime, registry, frmAboutControls{window, title, version});

    const int clicks = data.ConsumeIntegralInRange(1, 3);
    for (int click = 0; click < clicks; ++click) {
        const std::size_t messagesBefore = runtime.messages.size();
        const std::size_t launchesBefore = runtime.launched.size();
        form.cmdSysInfo_Click();
        const std::size_t messages = runtime.messages.size() - messagesBefore;
        const std::size_t launches = runtime.launched.size() - launchesBefore;
        require(messages + launches == 1); // one message or one launch, never both or none
        require(registry.openKeys.empty());
    }
    for (const std::string& entry : log)
        require(entry != "frmAbout unload");
    return 0;
}
