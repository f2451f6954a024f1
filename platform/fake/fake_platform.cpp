#include "platform/fake/fake_platform.h"

#include <memory>

#include "platform/system_colors.h"

namespace platform::fake {

FakePlatform::FakePlatform()
{
    auto in = std::make_unique<FakeInput>();
    input = in.get();
    platform.input = std::move(in);
    auto order = std::make_unique<FakeWindowOrder>();
    windowOrder = order.get();
    platform.windowOrder = std::move(order);
    auto single = std::make_unique<FakeSingleInstance>();
    singleInstance = single.get();
    platform.singleInstance = std::move(single);
    platform.makeTicker = [this]() -> std::unique_ptr<Ticker> {
        auto t = std::make_unique<FakeTicker>();
        tickers.push_back(t.get());
        return t;
    };
    platform.systemColors = std::make_unique<ClassicSystemColors>();
    auto sh = std::make_unique<FakeShell>();
    shell = sh.get();
    platform.shell = std::move(sh);
    auto keys = std::make_unique<FakeHotkeys>();
    hotkeys = keys.get();
    platform.hotkeys = std::move(keys);
    auto names = std::make_unique<FakeKeyNames>();
    keyNames = names.get();
    platform.keyNames = std::move(names);
    auto profile = std::make_unique<FakeIniProfile>();
    ini = profile.get();
    platform.ini = std::move(profile);
    auto store = std::make_unique<FakeSettingsStore>();
    settings = store.get();
    platform.settings = std::move(store);
}

FakePlatform::~FakePlatform() = default;

} // namespace platform::fake
