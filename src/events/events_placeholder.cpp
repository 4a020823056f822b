// PLACEHOLDER: the events subsystem is not built yet.
namespace varizav::events_placeholder {}
