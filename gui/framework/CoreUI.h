#pragma once

// Start and stop of the interface around the event loop: Initialize, Start, then after the event
// loop Destroy. Each creates or deletes the interface singletons in a fixed order.
class CoreUI
{
public:
    static void Initialize();
    static void Start();
    static void Destroy();
};
