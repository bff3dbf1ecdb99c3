#pragma once

// The local databases, listed once and shared by every server tab.
class Env
{
public:
    static Env* getSingleton();

private:
    Env() = default;
};
