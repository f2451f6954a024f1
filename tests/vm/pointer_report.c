/* A native Wayland client for the virtual-machine test: one full-screen white
 * surface that prints, one line each, the pointer events it receives:
 *   ready WIDTH HEIGHT      the surface is up (resized W H: at a new size)
 *   activated | deactivated the compositor's focus came or went
 *   enter X Y / motion TIME X Y / button TIME STATE  (left button only)
 * Positions are surface coordinates, which full screen on one output makes
 * screen coordinates. */
#define _GNU_SOURCE
#include <linux/input-event-codes.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include "xdg-shell-client-protocol.h"

static struct wl_compositor* compositor;
static struct wl_shm* shm;
static struct wl_seat* seat;
static struct xdg_wm_base* wm_base;
static struct wl_surface* surface;
static int width = 640, height = 480, activated = -1, drawn_width, drawn_height;

static void pointer_enter(void* data, struct wl_pointer* p, uint32_t serial, struct wl_surface* s, wl_fixed_t x, wl_fixed_t y)
{
    printf("enter %.2f %.2f\n", wl_fixed_to_double(x), wl_fixed_to_double(y));
}
static void pointer_leave(void* data, struct wl_pointer* p, uint32_t serial, struct wl_surface* s) { printf("leave\n"); }
static void pointer_motion(void* data, struct wl_pointer* p, uint32_t time, wl_fixed_t x, wl_fixed_t y)
{
    printf("motion %u %.2f %.2f\n", time, wl_fixed_to_double(x), wl_fixed_to_double(y));
}
static void pointer_button(void* data, struct wl_pointer* p, uint32_t serial, uint32_t time, uint32_t button, uint32_t state)
{
    if (button == BTN_LEFT)
        printf("button %u %u\n", time, state);
}
static void pointer_axis(void* data, struct wl_pointer* p, uint32_t time, uint32_t axis, wl_fixed_t value) {}
static const struct wl_pointer_listener pointer_listener = {
    .enter = pointer_enter, .leave = pointer_leave, .motion = pointer_motion, .button = pointer_button, .axis = pointer_axis};

static void seat_capabilities(void* data, struct wl_seat* s, uint32_t caps)
{
    static struct wl_pointer* pointer;
    if ((caps & WL_SEAT_CAPABILITY_POINTER) && !pointer) {
        pointer = wl_seat_get_pointer(s);
        wl_pointer_add_listener(pointer, &pointer_listener, NULL);
    }
}
static void seat_name(void* data, struct wl_seat* s, const char* name) {}
static const struct wl_seat_listener seat_listener = {.capabilities = seat_capabilities, .name = seat_name};

static void wm_ping(void* data, struct xdg_wm_base* b, uint32_t serial) { xdg_wm_base_pong(b, serial); }
static const struct xdg_wm_base_listener wm_listener = {wm_ping};

static void global(void* data, struct wl_registry* r, uint32_t name, const char* interface, uint32_t version)
{
    if (!strcmp(interface, wl_compositor_interface.name))
        compositor = wl_registry_bind(r, name, &wl_compositor_interface, 1);
    else if (!strcmp(interface, wl_shm_interface.name))
        shm = wl_registry_bind(r, name, &wl_shm_interface, 1);
    else if (!strcmp(interface, wl_seat_interface.name)) {
        seat = wl_registry_bind(r, name, &wl_seat_interface, 1);
        wl_seat_add_listener(seat, &seat_listener, NULL);
    } else if (!strcmp(interface, xdg_wm_base_interface.name)) {
        wm_base = wl_registry_bind(r, name, &xdg_wm_base_interface, 1);
        xdg_wm_base_add_listener(wm_base, &wm_listener, NULL);
    }
}
static void global_remove(void* data, struct wl_registry* r, uint32_t name) {}
static const struct wl_registry_listener registry_listener = {global, global_remove};

static void draw(void)
{
    const int stride = width * 4, size = stride * height;
    const int fd = memfd_create("pointer-report", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, size) < 0)
        exit(1);
    void* pixels = mmap(NULL, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    memset(pixels, 0xff, size);
    munmap(pixels, size);
    struct wl_shm_pool* pool = wl_shm_create_pool(shm, fd, size);
    struct wl_buffer* buffer = wl_shm_pool_create_buffer(pool, 0, width, height, stride, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    wl_surface_attach(surface, buffer, 0, 0);
    wl_surface_damage(surface, 0, 0, width, height);
    wl_surface_commit(surface);
}

static void surface_configure(void* data, struct xdg_surface* s, uint32_t serial)
{
    xdg_surface_ack_configure(s, serial);
    if (width != drawn_width || height != drawn_height) {
        draw();
        printf("%s %d %d\n", drawn_width ? "resized" : "ready", width, height);
        drawn_width = width;
        drawn_height = height;
    }
}
static const struct xdg_surface_listener surface_listener = {surface_configure};

static void toplevel_configure(void* data, struct xdg_toplevel* t, int32_t w, int32_t h, struct wl_array* states)
{
    if (w > 0 && h > 0) {
        width = w;
        height = h;
    }
    int now = 0;
    uint32_t* state;
    wl_array_for_each(state, states) if (*state == XDG_TOPLEVEL_STATE_ACTIVATED) now = 1;
    if (now != activated)
        printf(now ? "activated\n" : "deactivated\n");
    activated = now;
}
static void toplevel_close(void* data, struct xdg_toplevel* t) { exit(0); }
static const struct xdg_toplevel_listener toplevel_listener = {.configure = toplevel_configure, .close = toplevel_close};

int main(void)
{
    setvbuf(stdout, NULL, _IOLBF, 0);
    struct wl_display* display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "pointer_report: no Wayland display\n");
        return 1;
    }
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, NULL);
    wl_display_roundtrip(display);
    if (!compositor || !shm || !seat || !wm_base) {
        fprintf(stderr, "pointer_report: the compositor lacks a global this client needs\n");
        return 1;
    }
    surface = wl_compositor_create_surface(compositor);
    struct xdg_surface* xdg = xdg_wm_base_get_xdg_surface(wm_base, surface);
    xdg_surface_add_listener(xdg, &surface_listener, NULL);
    struct xdg_toplevel* toplevel = xdg_surface_get_toplevel(xdg);
    xdg_toplevel_add_listener(toplevel, &toplevel_listener, NULL);
    xdg_toplevel_set_title(toplevel, "pointer report");
    xdg_toplevel_set_fullscreen(toplevel, NULL);
    wl_surface_commit(surface);
    while (wl_display_dispatch(display) != -1) {
    }
    return 0;
}
