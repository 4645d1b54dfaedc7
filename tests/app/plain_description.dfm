// A small description stored as it stands, and scrambled, for the reader's tests.
object Holder: TComponent
  object Timer9: TTimer
    Enabled = False
    Interval = 777
  end
end
