// PLACEHOLDER: the astronomy subsystem is not built yet.
namespace varizav::astro_placeholder {}
