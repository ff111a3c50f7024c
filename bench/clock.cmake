vyx_bench(clock LIBS vyx_controls Qt6::Widgets)
