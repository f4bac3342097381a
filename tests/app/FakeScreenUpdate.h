#pragma once

#include <allegro.h>
#include <string>
#include <vector>

#include "desktop/ScreenUpdate.h"

// A strategy that draws into a small memory bitmap (there is no screen under
// the test system driver) and logs what is done to it, or fails to create
// with the code it was given.
class FakeScreenUpdate : public ScreenUpdate {
public:
    static std::vector<std::string>& log()
    {
        static std::vector<std::string> entries;
        return entries;
    }

    explicit FakeScreenUpdate(std::string label, int failure = NoError) : label(std::move(label)), failure(failure)
    {
        log().push_back("make " + this->label);
    }

    ~FakeScreenUpdate() override
    {
        if (buffer)
            destroy_bitmap(buffer);
        log().push_back("delete " + label);
    }

    Error create() override
    {
        log().push_back("create " + label);
        if (failure != NoError)
            return Error(failure);
        if (!buffer)
            buffer = create_bitmap(32, 24);
        return Error(NoError);
    }

    void destroy() override
    {
        log().push_back("destroy " + label);
        if (buffer)
            destroy_bitmap(buffer);
        buffer = nullptr;
    }

    BITMAP* getBuffer() override { return buffer; }
    void acquire() override {}
    void release() override {}
    const char* getName() override { return label.c_str(); }

    BITMAP* buffer = nullptr;

private:
    std::string label;
    int failure;
};
