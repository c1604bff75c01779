#pragma once

// The steps of a normal frame, in the order the frame runs them.
enum class RenderPass {
    Shadow,
    Scene,
    Separation,
    BlurA,
    BloomComposite,
    SunImage,
    LensFlare,
    BlurB,
    FinalComposite,
    Text,
    Count
};

constexpr int renderPassCount = static_cast<int>(RenderPass::Count);

// Short names, indexed by RenderPass.
constexpr const char* renderPassNames[renderPassCount] = {
    "shadow", "scene", "separation", "blurA", "bloomComposite",
    "sunImage", "lensFlare", "blurB", "finalComposite", "text",
};

// Told where each step of a normal frame begins and ends, for measuring. The
// renderer holds none unless a measuring tool hands it one; begin and end
// come in pairs, never nested.
class PassTimer {
public:
    virtual ~PassTimer() = default;
    virtual void begin(RenderPass pass) = 0;
    virtual void end() = 0;
};

// Brackets one step for a pass timer, if there is one.
class TimedPass {
public:
    TimedPass(PassTimer* timer, RenderPass pass) : timer(timer)
    {
        if (timer != nullptr)
            timer->begin(pass);
    }
    ~TimedPass()
    {
        if (timer != nullptr)
            timer->end();
    }
    TimedPass(const TimedPass&) = delete;
    TimedPass& operator=(const TimedPass&) = delete;

private:
    PassTimer* timer;
};
