// The records the host and the module exchange, shared by both sides.
// On a 32-bit build the byte offsets are the host's fixed ones; on 64-bit the
// same fields keep their order with natural pointer size.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__i386__)
#define HPI_STDCALL __attribute__((stdcall))
#else
#define HPI_STDCALL
#endif

class TMultiView;
class TBitmap;

// The host's sequence record: the frame list is null when no V/A sequence exists.
struct HostSequence {
    uint32_t Reserved0;
    TMultiView* FrameList;
};

// The record through which frames travel between host and module.
struct FrameExchange {
    uint32_t Reserved[3];
    int32_t FrameIndex;
    int32_t Delay;
    TBitmap* Graphic;
};

// What the host passes to HPI_Execute.
struct HostContext {
    void* const* CurrentImageSlot; // first bytes hold the current image pointer (null: none)
    uint32_t Reserved[3];
    HostSequence* Sequence;
    FrameExchange* Exchange;
};

// The host's command callback; the module ignores its result.
using HostCommand = int32_t(HPI_STDCALL*)(int32_t code);

// Command codes the module sends.
constexpr int32_t kCmdPutMorphFrame = 6; // one in-between frame of a two-frame run
constexpr int32_t kCmdPutWarpFrame = 7;  // one frame of a warp-only run
constexpr int32_t kCmdGetFrame = 8;      // lend the frame at the exchange's index
constexpr int32_t kCmdReleaseFrame = 9;  // release what command 8 lent

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(offsetof(HostContext, CurrentImageSlot) == 0);
static_assert(offsetof(HostContext, Sequence) == 16);
static_assert(offsetof(HostContext, Exchange) == 20);
static_assert(offsetof(HostSequence, FrameList) == 4);
static_assert(offsetof(FrameExchange, FrameIndex) == 12);
static_assert(offsetof(FrameExchange, Delay) == 16);
static_assert(offsetof(FrameExchange, Graphic) == 20);
#endif
